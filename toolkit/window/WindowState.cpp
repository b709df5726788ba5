// What a windowed control's window holds: its place, text, enabled state and visibility,
// pending in the object until the window exists and asked of the window from then on;
// and what it is made with and given: its styles (Ctl3D), font and colour.
#include "toolkit/window/WinControl.h"
#include "toolkit/base/DestroyWatch.h"

#include <cassert>

namespace tk {

// A top-level window's place is on the screen, a child window's on its parent.
RECT TWinControl::BoundsRect() const
{
    if (!m_hwnd) return m_pendingBounds;
    RECT r;
    ::GetWindowRect(m_hwnd, &r);
    if (HWND parent = ::GetParent(m_hwnd); parent && (::GetWindowLongA(m_hwnd, GWL_STYLE) & WS_CHILD))
        ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A window moves once, and only when its place changes; Windows redraws what the move
// uncovers. Without a window the children are re-aligned at once, with one on WM_SIZE.
void TWinControl::UpdateBounds(int left, int top, int width, int height)
{
    const RECT old = BoundsRect();
    const bool resized = width != old.right - old.left || height != old.bottom - old.top;
    if (!resized && left == old.left && top == old.top) return;
    if (!m_hwnd) {
        m_pendingBounds = {left, top, left + width, top + height};
        if (resized) AlignControls();
        return;
    }
    ::SetWindowPos(m_hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // Our own windows paint from their size (a centred caption, a bevel) and have no
    // class style that redraws them whole.
    if (resized && !m_subclassed) ::InvalidateRect(m_hwnd, nullptr, TRUE);
}

int TWinControl::ClientWidth() const
{
    if (!m_hwnd) return Width();
    RECT r;
    ::GetClientRect(m_hwnd, &r);
    return r.right;
}

int TWinControl::ClientHeight() const
{
    if (!m_hwnd) return Height();
    RECT r;
    ::GetClientRect(m_hwnd, &r);
    return r.bottom;
}

bool TWinControl::Enabled() const { return m_hwnd ? ::IsWindowEnabled(m_hwnd) != FALSE : m_pendingEnabled; }

void TWinControl::SetEnabled(bool enabled)
{
    if (enabled == Enabled()) return;
    if (m_hwnd) ::EnableWindow(m_hwnd, enabled);
    else m_pendingEnabled = enabled;
    Invalidate();
}

bool TWinControl::Visible() const
{
    return m_hwnd ? (::GetWindowLongA(m_hwnd, GWL_STYLE) & WS_VISIBLE) != 0 : m_pendingVisible;
}

// The window shows or hides itself and whatever it uncovers; nothing else needs a redraw.
// Whoever handles what showing sends (WM_SHOWWINDOW, activation) may destroy the control.
void TWinControl::SetVisible(bool visible)
{
    if (visible == Visible()) return;
    if (m_hwnd) {
        const TDestroyWatch self(this);
        ::ShowWindow(m_hwnd, !visible ? SW_HIDE : Parent() ? SW_SHOWNOACTIVATE : SW_SHOW);
        if (!self.Alive()) return;
    } else {
        m_pendingVisible = visible;
    }
    VisibleChanged();
}

std::string TWinControl::Text() const
{
    if (!m_hwnd) return m_pendingText;
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(m_hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(m_hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The window redraws its own text.
void TWinControl::SetText(const std::string& text)
{
    if (!m_hwnd) m_pendingText = text;
    else if (Text() != text) ::SetWindowTextA(m_hwnd, text.c_str());
}

void TWinControl::SetCtl3D(bool ctl3D)
{
    m_parentCtl3D = false;
    ApplyCtl3D(ctl3D);
}

void TWinControl::SetParentCtl3D(bool parentCtl3D)
{
    m_parentCtl3D = parentCtl3D;
    if (parentCtl3D && Parent()) ApplyCtl3D(Parent()->Ctl3D());
}

void TWinControl::ParentCtl3DChanged(bool ctl3D)
{
    if (m_parentCtl3D) ApplyCtl3D(ctl3D);
}

// The children that take their parent's setting follow it.
void TWinControl::ApplyCtl3D(bool ctl3D)
{
    if (ctl3D == m_ctl3D || !StyleChangeable()) return;
    m_ctl3D = ctl3D;
    for (TControl* c : m_controls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->ParentCtl3DChanged(ctl3D);
}

void TWinControl::FontChanged()
{
    if (m_hwnd) ::SendMessageA(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
    for (TControl* c : m_controls) c->ParentFontChanged(Font());
    Invalidate();
}

void TWinControl::ColorChanged()
{
    m_brush.reset();
    for (TControl* c : m_controls) c->ParentColorChanged(Color());
    Invalidate();
}

void TWinControl::KeepWindowState()
{
    m_pendingBounds = BoundsRect();
    m_pendingText = Text();
    m_pendingEnabled = Enabled();
    m_pendingVisible = Visible();
}

bool TWinControl::StyleChangeable() const
{
    assert(!m_hwnd && "a style changes only before the window is made");
    return !m_hwnd;
}

} // namespace tk
