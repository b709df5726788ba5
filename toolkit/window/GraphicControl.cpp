#include "toolkit/window/GraphicControl.h"
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
}

void TGraphicControl::SetVisible(bool visible)
{
    if (visible == m_visible) return;
    Invalidate();
    m_visible = visible;
    Invalidate();
    VisibleChanged();
}

void TGraphicControl::SetText(const std::string& text)
{
    if (text == m_text) return;
    m_text = text;
    Invalidate();
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
