#include "toolkit/CustomEdit.h"
#include "toolkit/ClassInfo.h"

namespace tk {

const TClassInfo& TCustomEdit::StaticClass()
{
    static const TClassInfo& info = TClassInfo::Define("TCustomEdit", &TWinControl::StaticClass(), nullptr, [](TClassInfo& c) {
        c.Text("Text", &TCustomEdit::SetText);
        c.Boolean("ReadOnly", &TCustomEdit::SetReadOnly);
        c.Integer("MaxLength", &TCustomEdit::SetMaxLength);
        c.Event("OnChange", &TCustomEdit::OnChange);
    });
    return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
    SetColor(clWindow);
    SetCursor(crDefault);
    SetTabStop(true);
}

DWORD TCustomEdit::BorderStyle() const { return Ctl3D() ? 0 : WS_BORDER; }
DWORD TCustomEdit::BorderExStyle() const { return Ctl3D() ? WS_EX_CLIENTEDGE : 0; }

void TCustomEdit::SetText(const std::string& text)
{
    if (text == Text()) return;
    m_settingText = true;
    TWinControl::SetText(text);
    m_settingText = false;
    Change();
}

void TCustomEdit::WindowCreated()
{
    TWinControl::WindowCreated();
    ApplyEditState();
}

void TCustomEdit::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    ApplyEditState();
}

void TCustomEdit::SetMaxLength(int maxLength)
{
    m_maxLength = maxLength;
    ApplyEditState();
}

// Applies the state an EDIT control keeps in its window, after creation too. A limit of 0
// lifts the control's own default limit.
void TCustomEdit::ApplyEditState()
{
    if (!HandleAllocated()) return;
    ::SendMessageA(Handle(), EM_SETREADONLY, m_readOnly, 0);
    ::SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(m_maxLength), 0);
}

void TCustomEdit::Change()
{
    if (OnChange) OnChange(this);
}

void TCustomEdit::CommandNotify(WORD code)
{
    if (code == EN_CHANGE && !m_settingText) Change();
}

} // namespace tk
