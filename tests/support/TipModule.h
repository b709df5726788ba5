#pragma once
// Loads the real Tipp211.dll (and with it SorvHelp.dll) for one test and drives it through
// its exports the way the host does; reads its window back as the user sees it.
#include "contract/ModuleCaller.h"
#include "tests/support/TipGeometry.h"

#include <string>
#include <vector>

namespace ts {

// The tip window's outer size for a client area, with the frame the template's layout
// gives it (single border, caption, system menu and minimise box).
SIZE TipWindowSize(SIZE client = TipControl::kClient);

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

    int Create(const CreateArgs& args = {});
    // The module's top-level windows on this thread (its tip window, when one exists).
    std::vector<HWND> Windows() const;
    HWND Window() const;
    // The windowed control of the tip window at the control's place in the layout (the
    // first of the two memos that share theirs); null if there is none.
    HWND Child(const TipControl& control) const;
    // Frees the library now (the destructor does it otherwise).
    void Unload();

private:
    HMODULE m_library = nullptr;
    ModuleApi::Module m_api;
};

std::string WindowText(HWND window);
LOGFONTA FontOf(HWND window);
// The direct child windows of `parent`, in z-order.
std::vector<HWND> Children(HWND parent);
// Those of window class `windowClass` that lie exactly on `place`.
std::vector<HWND> ChildrenOn(HWND parent, const char* windowClass, RECT place);

// A click of the left mouse button at a client point, as the user makes it; the messages
// it leads to are handled before it returns.
void Click(HWND window, POINT at);
// The four command buttons of the tip window are windowless: a click at their centre.
inline void Click(HWND tipWindow, const TipControl& button) { Click(tipWindow, button.Centre()); }

// The help text as SorvHelp.dll itself gives it, "" for none; the tip module loads the
// library.
std::string LibraryHelpText(int tippNr, int kind);
// The two memos of the tip window, each known by the help text it holds.
struct Memos {
    HWND german = nullptr;
    HWND english = nullptr;
};
Memos FindMemos(HWND tipWindow, int tippNr = 211);

// The tooltip window that `owner` created for its hints, or null.
HWND TooltipOf(HWND owner);
// The tools a tooltip window knows: the area each covers and the hint it shows.
struct Tool {
    RECT rect;
    std::string text;
};
std::vector<Tool> ToolsOf(HWND tooltip);

} // namespace ts
