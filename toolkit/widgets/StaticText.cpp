#include "toolkit/widgets/StaticText.h"
#include "toolkit/base/ClassInfo.h"

namespace tk {

const TClassInfo& TStaticText::StaticClass()
{
    static const TClassInfo& info = TClassInfo::Define(
        "TStaticText", &TWinControl::StaticClass(),
        [](TComponent* owner) -> TComponent* { return new TStaticText(owner); },
        [](TClassInfo& c) {
            c.Text("Caption", &TStaticText::SetCaption);
            c.Boolean("AutoSize", &TStaticText::SetAutoSize);
        });
    return info;
}

TStaticText::TStaticText(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 65, 17); }

TCreateParams TStaticText::CreateParams() const { return {"STATIC", WS_CHILD | WS_CLIPSIBLINGS | SS_LEFT, 0}; }

void TStaticText::SetCaption(const std::string& caption)
{
    SetText(caption);
    AdjustSize();
}

void TStaticText::SetAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    AdjustSize();
}

void TStaticText::WindowCreated()
{
    TWinControl::WindowCreated();
    AdjustSize();
}

void TStaticText::FontChanged()
{
    TWinControl::FontChanged();
    AdjustSize();
}

// With automatic sizing the control takes the size of its text.
void TStaticText::AdjustSize()
{
    if (!m_autoSize || !HandleAllocated()) return;
    WindowDC dc(Handle());
    SelectedObject font(dc.get(), Font().Handle());
    const std::string text = Text();
    RECT r{0, 0, 0, 0};
    ::DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_LEFT);
    SetBounds(Left(), Top(), r.right, r.bottom);
}

} // namespace tk
