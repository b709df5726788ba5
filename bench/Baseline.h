#pragma once
// The tip window written by hand in plain Win32, as the yardstick for the toolkit: the
// same windows, fonts, image list, tooltip, icon and painting, with the same start-up
// work (the user preference in the registry, the screen resolution, the two System.INI
// values, the help texts). Each window is created once with its final place and shown
// once; freeing destroys the top-level window and lets its children go with it.
#include <windows.h>
#include <objidl.h> // before commctrl.h, which declares the image-list stream functions only then
#include <commctrl.h>

#include <memory>
#include <type_traits>

namespace bench {

struct BaselineArgs {
    int left = 301;
    int top = 1;
    int width = 0; // outer size; 0 gives the 292 by 426 client area
    int height = 0;
    const char* caption = "Auslagerungsdatei verlegen/umbenennen";
    int tippNr = 211;
};

template <class H, auto Free>
struct Freer {
    void operator()(H h) const { Free(h); }
};
template <class H, auto Free>
using Owned = std::unique_ptr<std::remove_pointer_t<H>, Freer<H, Free>>;

class BaselineWindow {
public:
    // `resources` is the module that holds the image list stream IMAGELIST1 and the icon
    // TIPPICON (the tip module itself).
    BaselineWindow(HMODULE resources, const BaselineArgs& args);
    BaselineWindow(const BaselineWindow&) = delete;
    BaselineWindow& operator=(const BaselineWindow&) = delete;

    HWND Window() const { return m_window.get(); }

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK PanelProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Paint(HWND hwnd);

    Owned<HFONT, ::DeleteObject> m_font;
    Owned<HFONT, ::DeleteObject> m_titleFont;
    Owned<HBRUSH, ::DeleteObject> m_memoBrush;
    Owned<HBRUSH, ::DeleteObject> m_panelBrush;
    Owned<HIMAGELIST, ::ImageList_Destroy> m_images;
    Owned<HICON, ::DestroyIcon> m_icon;
    HWND m_titleText = nullptr; // a child of m_window
    // Last, so that it goes first: the windows use the fonts, brushes and images above.
    Owned<HWND, ::DestroyWindow> m_window;
};

} // namespace bench
