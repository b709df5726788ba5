#include "toolkit/base/Application.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace tk {

std::string ApplicationTitle()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    if (auto slash = name.find_last_of("\\/"); slash != std::string::npos) name.erase(0, slash + 1);
    if (auto dot = name.rfind('.'); dot != std::string::npos) name.erase(dot);
    return name;
}

HINSTANCE ToolkitInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

const char* OwnWindowClassName() { return "TkWindow"; }

} // namespace tk
