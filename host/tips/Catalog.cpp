#include "host/tips/Catalog.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

namespace Host {

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/"));
}

namespace {

std::string Read(const std::string& path, const std::string& section, const char* key)
{
    char value[1024] = {};
    ::GetPrivateProfileStringA(section.c_str(), key, "", value, sizeof value, path.c_str());
    return value;
}

class FindHandle {
public:
    explicit FindHandle(HANDLE h) : m_h(h) {}
    ~FindHandle()
    {
        if (m_h != INVALID_HANDLE_VALUE) ::FindClose(m_h);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    [[nodiscard]] bool Valid() const { return m_h != INVALID_HANDLE_VALUE; }
    [[nodiscard]] HANDLE get() const { return m_h; }

private:
    HANDLE m_h;
};

} // namespace

Tip ReadTip(const std::string& catalogPath, const std::string& dllName)
{
    Tip tip;
    tip.file = dllName;
    // "Tipp211.dll": the digits after "Tipp".
    tip.nr = std::atoi(dllName.c_str() + std::min<std::size_t>(4, dllName.size()));
    tip.caption[0] = tip.caption[1] = dllName;

    if (const std::string nr = Read(catalogPath, dllName, "Nr"); !nr.empty()) tip.nr = std::atoi(nr.c_str());
    const char* captionKeys[] = {"CaptionDE", "CaptionEN"};
    const char* hintKeys[] = {"HintDE", "HintEN"};
    for (int language = 0; language < 2; ++language) {
        if (std::string caption = Read(catalogPath, dllName, captionKeys[language]); !caption.empty())
            tip.caption[language] = caption;
        tip.hint[language] = Read(catalogPath, dllName, hintKeys[language]);
    }
    tip.osMask = static_cast<unsigned>(std::strtoul(Read(catalogPath, dllName, "OSMask").c_str(), nullptr, 0));
    return tip;
}

std::vector<Tip> FindTips(const std::string& folder)
{
    std::vector<Tip> tips;
    const std::string catalog = folder + "\\Tipps.ini";
    WIN32_FIND_DATAA found{};
    FindHandle search(::FindFirstFileA((folder + "\\Tipp*.dll").c_str(), &found));
    if (!search.Valid()) return tips;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) tips.push_back(ReadTip(catalog, found.cFileName));
    } while (::FindNextFileA(search.get(), &found));
    std::sort(tips.begin(), tips.end(), [](const Tip& a, const Tip& b) { return a.nr < b.nr; });
    return tips;
}

} // namespace Host
