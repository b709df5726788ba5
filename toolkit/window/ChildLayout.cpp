#include "toolkit/window/ChildLayout.h"
#include "toolkit/window/WinControl.h"

#include <vector>

namespace tk {

void ChildLayout::Apply()
{
    if (m_aligning || m_scaling) return;
    m_aligning = true;
    const int cw = m_parent.ClientWidth(), ch = m_parent.ClientHeight();
    for (TControl* c : m_parent.Controls()) {
        if (c->Align() != TAlign::alNone) continue;
        const RECT r = c->AnchoredBounds(cw, ch);
        c->UpdateBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    RECT rest{0, 0, cw, ch};
    for (TAlign pass : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
        for (TControl* c : m_parent.Controls()) {
            if (c->Align() != pass || !c->Visible()) continue;
            const int w = c->Width(), h = c->Height();
            switch (pass) {
            case TAlign::alTop:
                c->UpdateBounds(rest.left, rest.top, rest.right - rest.left, h);
                rest.top += h;
                break;
            case TAlign::alBottom:
                c->UpdateBounds(rest.left, rest.bottom - h, rest.right - rest.left, h);
                rest.bottom -= h;
                break;
            case TAlign::alLeft:
                c->UpdateBounds(rest.left, rest.top, w, rest.bottom - rest.top);
                rest.left += w;
                break;
            case TAlign::alRight:
                c->UpdateBounds(rest.right - w, rest.top, w, rest.bottom - rest.top);
                rest.right -= w;
                break;
            default: c->UpdateBounds(rest.left, rest.top, rest.right - rest.left, rest.bottom - rest.top); break;
            }
            c->KeepAnchorDistances();
        }
    }
    m_aligning = false;
}

void ChildLayout::ScaleChildren(int multiplier, int divisor)
{
    for (TControl* c : std::vector<TControl*>(m_parent.Controls())) c->ScaleBy(multiplier, divisor);
    for (TControl* c : m_parent.Controls()) c->KeepAnchorDistances();
}

} // namespace tk
