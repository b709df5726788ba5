#include "toolkit/widgets/Label.h"
#include "toolkit/base/ClassInfo.h"
#include "toolkit/window/WinControl.h"

#include <oleacc.h>

namespace tk {

const TClassInfo& TLabel::StaticClass()
{
    static const TClassInfo& info = TClassInfo::Define(
        "TLabel", &TControl::StaticClass(), [](TComponent* owner) -> TComponent* { return new TLabel(owner); },
        [](TClassInfo& c) {
            c.Text("Caption", &TLabel::SetCaption);
            c.Boolean("Transparent", &TLabel::SetTransparent);
            c.Reference("FocusControl", &TLabel::SetFocusControl);
        });
    return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 13); }

void TLabel::SetTransparent(bool transparent)
{
    m_transparent = transparent;
    Invalidate();
}

void TLabel::SetFocusControl(TWinControl* control)
{
    if (m_focusControl) m_focusControl->RemoveFreeNotification(this);
    m_focusControl = control;
    if (control) control->FreeNotification(this);
}

void TLabel::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_focusControl) m_focusControl = nullptr;
}

long TLabel::AccessibleRole() const { return ROLE_SYSTEM_STATICTEXT; }

long TLabel::AccessibleState() const { return TGraphicControl::AccessibleState() | STATE_SYSTEM_READONLY; }

void TLabel::Paint(HDC dc)
{
    RECT r{0, 0, Width(), Height()};
    if (!m_transparent) {
        UniqueBrush brush(::CreateSolidBrush(ColorToRGB(Color())));
        ::FillRect(dc, &r, brush.get());
    }
    SelectedObject font(dc, Font().Handle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, Enabled() ? ColorToRGB(Font().Color()) : ::GetSysColor(COLOR_GRAYTEXT));
    const std::string text = Text();
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace tk
