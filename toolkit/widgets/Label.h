#pragma once
// TLabel: a windowless line of text painted by its parent, transparent by default. To
// accessibility clients it is static text, and it names the windowed control it labels
// (FocusControl), which has no static window before it that would name it otherwise.
#include "toolkit/window/GraphicControl.h"

namespace tk {

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption) { SetText(caption); }
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    TWinControl* FocusControl() const { return m_focusControl; }
    void SetFocusControl(TWinControl* control);

    void Paint(HDC dc) override;
    void Notification(TComponent* component, TOperation operation) override;

    long AccessibleRole() const override;
    long AccessibleState() const override;
    TWinControl* LabelledControl() const override { return m_focusControl; }

private:
    TWinControl* m_focusControl = nullptr; // not owned
    bool m_transparent = true;
};

} // namespace tk
