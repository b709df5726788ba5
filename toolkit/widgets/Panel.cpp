#include "toolkit/widgets/Panel.h"
#include "toolkit/base/ClassInfo.h"

namespace tk {

const TClassInfo& TPanel::StaticClass()
{
    static const TClassInfo& info = TClassInfo::Define(
        "TPanel", &TWinControl::StaticClass(), [](TComponent* owner) -> TComponent* { return new TPanel(owner); },
        [](TClassInfo& c) {
            c.Text("Caption", &TPanel::SetCaption);
            c.Property("BevelOuter", [](TComponent& t, const LayoutValue& v, LayoutReader& r) {
                static const std::map<std::string, int, NoCaseLess> names{
                    {"bvNone", 0}, {"bvLowered", 1}, {"bvRaised", 2}};
                dynamic_cast<TPanel&>(t).SetBevelOuter(static_cast<TBevelCut>(r.AsEnum(v, names)));
            });
        });
    return info;
}

TPanel::TPanel(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 185, 41);
    SetParentColor(false);
}

void TPanel::SetCaption(const std::string& caption)
{
    SetText(caption);
    Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut bevel)
{
    m_bevelOuter = bevel;
    Invalidate();
}

void TPanel::PaintOver(HDC dc)
{
    RECT r{0, 0, ClientWidth(), ClientHeight()};
    if (m_bevelOuter != TBevelCut::bvNone)
        ::DrawEdge(dc, &r, m_bevelOuter == TBevelCut::bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    const std::string caption = Caption();
    if (caption.empty()) return;
    SelectedObject font(dc, Font().Handle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(Font().Color()));
    ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

} // namespace tk
