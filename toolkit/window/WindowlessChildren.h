#pragma once
// WindowlessChildren: what a window does for the windowless controls on it. It finds the
// one under a point, tells them when the pointer enters and leaves them, passes them the
// left button (holding the capture while it is down, so that a press ends where it began)
// and paints them over the window's background.
#include "toolkit/window/Control.h"

namespace tk {

class TGraphicControl;

class WindowlessChildren {
public:
    explicit WindowlessChildren(TWinControl& window) : m_window(window) {}
    WindowlessChildren(const WindowlessChildren&) = delete;
    WindowlessChildren& operator=(const WindowlessChildren&) = delete;

    // The topmost visible windowless control at a client point; disabled ones included.
    TGraphicControl* At(POINT pt) const;
    // The control under the pointer, if any.
    TGraphicControl* UnderPointer() const { return m_underPointer; }
    // Handles a mouse message of the window for the control it concerns; true when a
    // control took it and the window itself should not see it.
    bool RouteMouse(const TMessage& message);
    // Paints the controls that reach into `area` of the window.
    void Paint(HDC dc, const RECT& area) const;
    // The control leaves the window: it is no longer under the pointer nor pressed.
    void Remove(const TControl* control);

private:
    void SetUnderPointer(TGraphicControl* control);

    TWinControl& m_window;
    TGraphicControl* m_underPointer = nullptr;
    TGraphicControl* m_pressed = nullptr;
    bool m_trackingLeave = false;
};

} // namespace tk
