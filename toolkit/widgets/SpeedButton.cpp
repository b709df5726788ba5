#include "toolkit/widgets/SpeedButton.h"
#include "toolkit/base/ClassInfo.h"

#include <oleacc.h>
#include <windowsx.h>

namespace tk {

const TClassInfo& TSpeedButton::StaticClass()
{
    static const TClassInfo& info = TClassInfo::Define(
        "TSpeedButton", &TControl::StaticClass(),
        [](TComponent* owner) -> TComponent* { return new TSpeedButton(owner); },
        [](TClassInfo& c) { c.Boolean("Flat", &TSpeedButton::SetFlat); });
    return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 23, 22);
    m_glyph.OnChange = [this] { Invalidate(); };
}

void TSpeedButton::SetFlat(bool flat)
{
    m_flat = flat;
    Invalidate();
}

void TSpeedButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        m_pressed = true;
        Invalidate();
        return;
    case WM_LBUTTONUP: {
        const bool wasPressed = m_pressed;
        m_pressed = false;
        Invalidate();
        const POINT pt{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        if (wasPressed && Enabled() && pt.x >= 0 && pt.y >= 0 && pt.x < Width() && pt.y < Height()) Click();
        return;
    }
    default: TGraphicControl::WndProc(m);
    }
}

void TSpeedButton::Paint(HDC dc)
{
    RECT r{0, 0, Width(), Height()};
    const bool framed = !m_flat || (Enabled() && (m_mouseInControl || m_pressed));
    if (framed) {
        const bool sunken = m_pressed && m_mouseInControl;
        ::DrawEdge(dc, &r, sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    if (!m_glyph.Empty()) {
        const int offset = (m_pressed && m_mouseInControl) ? 1 : 0;
        m_glyph.DrawTransparent(dc, (Width() - m_glyph.Width()) / 2 + offset,
                                (Height() - m_glyph.Height()) / 2 + offset, !Enabled());
    }
}

long TSpeedButton::AccessibleRole() const { return ROLE_SYSTEM_PUSHBUTTON; }

std::string TSpeedButton::AccessibleName() const { return Hint().empty() ? Text() : Hint(); }

long TSpeedButton::AccessibleState() const
{
    long state = TGraphicControl::AccessibleState();
    if (m_pressed && m_mouseInControl) state |= STATE_SYSTEM_PRESSED;
    return state;
}

void TSpeedButton::DoDefaultAction()
{
    if (Enabled()) Click();
}

} // namespace tk
