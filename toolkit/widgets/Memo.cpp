#include "toolkit/widgets/Memo.h"
#include "toolkit/base/ClassInfo.h"

namespace tk {

const TClassInfo& TMemo::StaticClass()
{
    static const TClassInfo& info = TClassInfo::Define(
        "TMemo", &TCustomEdit::StaticClass(), [](TComponent* owner) -> TComponent* { return new TMemo(owner); },
        [](TClassInfo& c) {
            c.Property("ScrollBars", [](TComponent& t, const LayoutValue& v, LayoutReader& r) {
                static const std::map<std::string, int, NoCaseLess> names{
                    {"ssNone", 0}, {"ssHorizontal", 1}, {"ssVertical", 2}, {"ssBoth", 3}};
                dynamic_cast<TMemo&>(t).SetScrollBars(static_cast<TScrollStyle>(r.AsEnum(v, names)));
            });
            c.Boolean("WordWrap", &TMemo::SetWordWrap);
        });
    return info;
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) { SetBounds(0, 0, 185, 89); }

TCreateParams TMemo::CreateParams() const
{
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | EditStyle();
    if (!m_wordWrap) style |= ES_AUTOHSCROLL;
    if (m_scrollBars == TScrollStyle::ssVertical || m_scrollBars == TScrollStyle::ssBoth) style |= WS_VSCROLL;
    if (m_scrollBars == TScrollStyle::ssHorizontal || m_scrollBars == TScrollStyle::ssBoth) style |= WS_HSCROLL;
    return {"EDIT", style, EditExStyle()};
}

void TMemo::SetScrollBars(TScrollStyle scrollBars)
{
    if (scrollBars == m_scrollBars || !StyleChangeable()) return;
    m_scrollBars = scrollBars;
}

void TMemo::SetWordWrap(bool wordWrap)
{
    if (wordWrap == m_wordWrap || !StyleChangeable()) return;
    m_wordWrap = wordWrap;
}

void TMemo::SetText(const std::string& text)
{
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            lines += text[i];
            continue;
        }
        lines += "\r\n";
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    TCustomEdit::SetText(lines);
}

} // namespace tk
