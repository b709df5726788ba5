#include "toolkit/widgets/CustomEdit.h"
#include "toolkit/base/ClassInfo.h"

namespace tk {

namespace {
// The limit Windows NT and Wine give an edit control told to take as much as it can (a
// limit of 0): 0x7FFFFFFE for a single line, all bits for several.
constexpr UINT kLiftedLimit = 0x7FFFFFFE;
} // namespace

const TClassInfo& TCustomEdit::StaticClass()
{
    static const TClassInfo& info =
        TClassInfo::Define("TCustomEdit", &TWinControl::StaticClass(), nullptr, [](TClassInfo& c) {
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

DWORD TCustomEdit::EditStyle() const { return (Ctl3D() ? 0 : WS_BORDER) | (m_pendingReadOnly ? ES_READONLY : 0); }

DWORD TCustomEdit::EditExStyle() const { return Ctl3D() ? WS_EX_CLIENTEDGE : 0; }

void TCustomEdit::SetText(const std::string& text)
{
    if (text == Text()) return;
    m_settingText = true;
    TWinControl::SetText(text);
    m_settingText = false;
    Change();
}

// The control keeps its limit beside its styles. A limit of 0 lifts the control's own
// default limit.
void TCustomEdit::WindowCreated()
{
    TWinControl::WindowCreated();
    ::SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(m_pendingMaxLength), 0);
}

void TCustomEdit::KeepWindowState()
{
    TWinControl::KeepWindowState();
    m_pendingReadOnly = ReadOnly();
    m_pendingMaxLength = MaxLength();
}

bool TCustomEdit::ReadOnly() const
{
    return HandleAllocated() ? (::GetWindowLongA(Handle(), GWL_STYLE) & ES_READONLY) != 0 : m_pendingReadOnly;
}

void TCustomEdit::SetReadOnly(bool readOnly)
{
    if (HandleAllocated()) ::SendMessageA(Handle(), EM_SETREADONLY, readOnly, 0);
    else m_pendingReadOnly = readOnly;
}

int TCustomEdit::MaxLength() const
{
    if (!HandleAllocated()) return m_pendingMaxLength;
    const auto limit = static_cast<UINT>(::SendMessageA(Handle(), EM_GETLIMITTEXT, 0, 0));
    return limit >= kLiftedLimit ? 0 : static_cast<int>(limit);
}

void TCustomEdit::SetMaxLength(int maxLength)
{
    if (HandleAllocated()) ::SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
    else m_pendingMaxLength = maxLength;
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
