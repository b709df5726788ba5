#include "toolkit/window/WindowlessChildren.h"
#include "toolkit/base/DestroyWatch.h"
#include "toolkit/window/GraphicControl.h"
#include "toolkit/window/MouseLeave.h"
#include "toolkit/window/WinControl.h"

#include <windowsx.h>

namespace tk {

TGraphicControl* WindowlessChildren::At(POINT pt) const
{
    const auto& controls = m_window.Controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        auto* c = dynamic_cast<TGraphicControl*>(*it);
        if (!c || !c->Visible()) continue;
        const RECT r = c->BoundsRect();
        if (::PtInRect(&r, pt)) return c;
    }
    return nullptr;
}

bool WindowlessChildren::RouteMouse(const TMessage& m)
{
    const POINT pt{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    auto forward = [&](TControl* c) { c->Perform(m.Msg, m.WParam, MAKELPARAM(pt.x - c->Left(), pt.y - c->Top())); };
    switch (m.Msg) {
    case WM_MOUSEMOVE:
        if (!m_trackingLeave) m_trackingLeave = TrackMouseLeave(m_window.Handle());
        SetUnderPointer(m_pressed ? m_pressed : At(pt));
        if (m_pressed) {
            forward(m_pressed);
            return true;
        }
        return false;
    case WM_MOUSELEAVE:
        m_trackingLeave = false;
        if (!m_pressed) SetUnderPointer(nullptr);
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (TGraphicControl* c = At(pt); c && c->Enabled()) {
            m_pressed = c;
            ::SetCapture(m_window.Handle());
            forward(c);
            return true;
        }
        return false;
    case WM_LBUTTONUP:
        if (TGraphicControl* c = m_pressed) {
            // Capture ends before the control reacts: a click handler may open a modal box.
            m_pressed = nullptr;
            ::ReleaseCapture();
            // A click handler may destroy the window (the host's close command, say).
            const TDestroyWatch window(&m_window);
            forward(c);
            if (window.Alive()) SetUnderPointer(At(pt));
            return true;
        }
        return false;
    default: return false;
    }
}

void WindowlessChildren::SetUnderPointer(TGraphicControl* control)
{
    if (control == m_underPointer) return;
    TGraphicControl* previous = m_underPointer;
    m_underPointer = control;
    if (previous) previous->Perform(CM_MOUSELEAVE);
    if (control) control->Perform(CM_MOUSEENTER);
}

void WindowlessChildren::Remove(const TControl* control)
{
    if (m_underPointer == control) m_underPointer = nullptr;
    if (m_pressed == control) {
        m_pressed = nullptr;
        if (m_window.HandleAllocated() && ::GetCapture() == m_window.Handle()) ::ReleaseCapture();
    }
}

void WindowlessChildren::Paint(HDC dc, const RECT& area) const
{
    for (TControl* control : m_window.Controls()) {
        auto* c = dynamic_cast<TGraphicControl*>(control);
        if (!c || !c->Visible()) continue;
        RECT r = c->BoundsRect(), hit;
        if (!::IntersectRect(&hit, &r, &area)) continue;
        const int saved = ::SaveDC(dc);
        ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        ::SetViewportOrgEx(dc, r.left, r.top, nullptr);
        c->Paint(dc);
        ::RestoreDC(dc, saved);
    }
}

} // namespace tk
