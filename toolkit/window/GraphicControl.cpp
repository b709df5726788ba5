#include "toolkit/window/GraphicControl.h"
#include "toolkit/window/AccessibilityApi.h"
#include "toolkit/window/WinControl.h"

namespace tk {

void TGraphicControl::UpdateBounds(int left, int top, int width, int height)
{
    if (left == m_bounds.left && top == m_bounds.top && width == Width() && height == Height()) return;
    Invalidate();
    m_bounds = {left, top, left + width, top + height};
    Invalidate();
    // The tooltip knows the control by its place.
    if (ShowHint()) HintChanged();
}

void TGraphicControl::SetEnabled(bool enabled)
{
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    Invalidate();
    NotifyAccessible(EVENT_OBJECT_STATECHANGE);
}

void TGraphicControl::SetVisible(bool visible)
{
    if (visible == m_visible) return;
    Invalidate();
    m_visible = visible;
    Invalidate();
    VisibleChanged();
    NotifyAccessible(EVENT_OBJECT_STATECHANGE);
}

template <class Change>
void TGraphicControl::Renaming(Change change)
{
    const std::string before = AccessibleName();
    change();
    if (AccessibleName() != before) NotifyAccessible(EVENT_OBJECT_NAMECHANGE);
}

void TGraphicControl::SetText(const std::string& text)
{
    if (text == m_text) return;
    Renaming([&] { m_text = text; });
    Invalidate();
}

void TGraphicControl::SetHint(const std::string& hint)
{
    Renaming([&] { TControl::SetHint(hint); });
}

long TGraphicControl::AccessibleRole() const { return ROLE_SYSTEM_GRAPHIC; }

long TGraphicControl::AccessibleState() const
{
    long state = 0;
    if (!m_enabled) state |= STATE_SYSTEM_UNAVAILABLE;
    if (!m_visible) state |= STATE_SYSTEM_INVISIBLE;
    return state;
}

// The element is the parent's client object's child of the control's number (from 1).
void TGraphicControl::NotifyAccessible(DWORD event) const
{
    if (!Parent() || !Parent()->HandleAllocated()) return;
    if (const LONG child = Parent()->AccessibleChildId(this))
        accessibility::NotifyEvent(event, Parent()->Handle(), OBJID_CLIENT, child);
}

void TGraphicControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_MOUSEENTER: CMMouseEnter(message); break;
    case CM_MOUSELEAVE: CMMouseLeave(message); break;
    default: break;
    }
}

void TGraphicControl::CMMouseEnter(TMessage&)
{
    m_mouseInControl = true;
    Invalidate();
}

void TGraphicControl::CMMouseLeave(TMessage&)
{
    m_mouseInControl = false;
    Invalidate();
}

void TGraphicControl::Invalidate()
{
    if (!Parent() || !Parent()->HandleAllocated() || !m_visible) return;
    ::InvalidateRect(Parent()->Handle(), &m_bounds, TRUE);
}

} // namespace tk
