#include "toolkit/system/SystemFolders.h"

namespace tk {

namespace {

using FolderFn = UINT(WINAPI*)(LPSTR, UINT);

std::string InFolder(FolderFn folderOf, const std::string& name)
{
    char folder[MAX_PATH] = {};
    const UINT length = folderOf(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    std::string path(folder, length);
    if (path.back() != '\\') path += '\\'; // a drive's root ends in one already
    return path + name;
}

} // namespace

std::string WindowsFolderFile(const std::string& name) { return InFolder(&::GetWindowsDirectoryA, name); }

std::string SystemFolderFile(const std::string& name) { return InFolder(&::GetSystemDirectoryA, name); }

HMODULE LoadSystemLibrary(const char* name)
{
    const std::string path = SystemFolderFile(name);
    return path.empty() ? nullptr : ::LoadLibraryA(path.c_str());
}

} // namespace tk
