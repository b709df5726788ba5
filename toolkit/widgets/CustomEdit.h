#pragma once
// TCustomEdit: the common part of edit fields and memos over the system EDIT control.
// OnChange fires on every change of the text, typed or set by code, and not when the text
// is set to what it already is.
#include "toolkit/window/WinControl.h"

namespace tk {

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    void SetText(const std::string& text) override;
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    // The most characters the user may type; 0 for as many as the control takes, which
    // Windows 95, 98 and ME report as their own limit once the window exists.
    int MaxLength() const;
    void SetMaxLength(int maxLength);

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    void CommandNotify(WORD code) override;
    void WindowCreated() override;
    void KeepWindowState() override;
    // The edit styles of both kinds of field: the border, and read-only as it is pending.
    DWORD EditStyle() const;
    DWORD EditExStyle() const;

private:
    bool m_pendingReadOnly = false;
    int m_pendingMaxLength = 0;
    bool m_settingText = false;
};

} // namespace tk
