#pragma once
// Loads the real Tipp211.dll (and with it SorvHelp.dll) for one test and drives it through
// its exports the way the host does.
#include "contract/ModuleCaller.h"
#include "host/WindowLookup.h"

#include <string>
#include <vector>

namespace ts {

// The tip window's outer size for a client area, with the frame the template's layout
// gives it (single border, caption, system menu and minimise box).
SIZE TipWindowSize(int clientWidth = 292, int clientHeight = 426);

struct CreateArgs {
    int left = 301;
    int top = 1;
    int width = TipWindowSize().cx;
    int height = TipWindowSize().cy;
    int osType = 13; // Windows XP
    int language = 0;
    const char* caption = "Auslagerungsdatei verlegen/umbenennen";
    const char* hint = "Paging file";
    int osMask = 0x1FFF;
    int tippNr = 211;
};

class TipModule {
public:
    TipModule();
    ~TipModule();
    TipModule(const TipModule&) = delete;
    TipModule& operator=(const TipModule&) = delete;

    HMODULE Library() const { return m_library; }
    const ModuleApi::Module& Api() const { return m_api; }
    bool Loaded() const { return m_library != nullptr; }

    int Create(const CreateArgs& args = {});
    // The module's top-level windows on this thread (its tip window, when one exists).
    std::vector<HWND> Windows() const;
    HWND Window() const;
    // A child window of the tip window by window class and client position.
    HWND Child(const char* windowClass, int left, int top) const;
    // Frees the library now (the destructor does it otherwise).
    void Unload();

private:
    HMODULE m_library = nullptr;
    ModuleApi::Module m_api;
};

using Host::ChildRect;
std::string WindowText(HWND window);
// A click of the left mouse button at a client point, as the user makes it; the messages
// it leads to are handled before it returns.
void Click(HWND window, int x, int y);
// The four command buttons of the tip window are windowless: a click at their centre.
enum class CommandButton { OK, Undo, Info, Registry };
void ClickButton(HWND tipWindow, CommandButton button);
// The tooltip window that `owner` created for its hints, or null.
HWND TooltipOf(HWND owner);

// The tools a tooltip window knows: the area each covers and the hint it shows.
struct Tool {
    RECT rect;
    std::string text;
};
std::vector<Tool> ToolsOf(HWND tooltip);

// Runs this test program again as a child process, for settings that Wine reads once when
// a process starts: only the tests matching `gtestFilter`, with the environment variable
// `variable` set to `value`. Returns the child's exit code (0 when its tests passed), or
// kChildNotStarted / kChildTimedOut.
inline constexpr DWORD kChildNotStarted = 73;
inline constexpr DWORD kChildTimedOut = 72;
DWORD RunChildProcess(const std::string& gtestFilter, const char* variable, const char* value,
                      DWORD timeoutMs = 40000);

// Sets Wine's Windows version ("win98", "nt40"...) for this test program while it lives:
// Wine reads it once when a process starts, so a child process of the program runs as
// that version.
class WineVersionOverride {
public:
    explicit WineVersionOverride(const char* version);
    ~WineVersionOverride();
    WineVersionOverride(const WineVersionOverride&) = delete;
    WineVersionOverride& operator=(const WineVersionOverride&) = delete;

private:
    std::string m_key;
};

} // namespace ts
