#pragma once
// TCustomEdit: the common part of edit fields and memos over the system EDIT control.
// OnChange fires on every change of the text, typed or set by code, and not when the text
// is set to what it already is.
#include "toolkit/WinControl.h"

namespace tk {

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    void SetText(const std::string& text) override;
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int maxLength);

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    void CommandNotify(WORD code) override;
    // The window takes the edit state when it is made.
    void WindowCreated() override;
    DWORD BorderStyle() const;
    DWORD BorderExStyle() const;
    void ApplyEditState();

private:
    bool m_readOnly = false;
    int m_maxLength = 0;
    bool m_settingText = false;
};

} // namespace tk
