#pragma once
// The notice that the pointer left a window (WM_MOUSELEAVE), on every Windows the toolkit
// runs on.
#include <windows.h>

namespace tk {

// Asks for one WM_MOUSELEAVE to `hwnd` once the pointer leaves it (or enters a child
// window of it). The function is looked up when asked, so that the library loads where
// it is missing: user32's TrackMouseEvent (Windows 98, NT 4.0 and later), else comctl32's
// _TrackMouseEvent (Windows 95 with common controls 4.70, from Internet Explorer 3 on).
// A Windows 95 with neither gets a timer that looks at the pointer every
// kLeavePollInterval milliseconds and posts WM_MOUSELEAVE itself once the window under
// the pointer is another one. False when no notice will come.
bool TrackMouseLeave(HWND hwnd);

inline constexpr UINT kLeavePollInterval = 100;
// The timer the fallback sets on the window; the toolkit's windows use no other.
inline constexpr UINT_PTR kLeavePollTimer = 0x544B;

} // namespace tk
