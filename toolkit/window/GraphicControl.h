#pragma once
// TGraphicControl: a control without a window of its own. It keeps its place, text,
// enabled state and visibility itself, its parent window paints it and hit-tests it, and
// tells it when the pointer enters and leaves it (CM_MOUSEENTER, CM_MOUSELEAVE). It also
// describes itself to accessibility clients (screen readers, automation), whom its
// parent's window serves it as a simple element (AccessibleClient.h), and tells them when
// its state or name changes.
#include "toolkit/window/Control.h"

namespace tk {

class TGraphicControl : public TControl {
public:
    using TControl::TControl;
    ~TGraphicControl() override { LeaveParent(); }

    RECT BoundsRect() const override { return m_bounds; }
    void UpdateBounds(int left, int top, int width, int height) override;
    bool Enabled() const override { return m_enabled; }
    void SetEnabled(bool enabled) override;
    bool Visible() const override { return m_visible; }
    void SetVisible(bool visible) override;
    std::string Text() const override { return m_text; }
    void SetText(const std::string& text) override;
    void SetHint(const std::string& hint) override;

    // What the control is to an accessibility client: a role (ROLE_SYSTEM_*), a name, a
    // state (STATE_SYSTEM_*: unavailable while disabled, invisible while hidden) and its
    // place (BoundsRect).
    virtual long AccessibleRole() const;
    virtual std::string AccessibleName() const { return Text(); }
    virtual long AccessibleState() const;
    // The name of what a click on it does, empty when a click does nothing; the client's
    // request runs DoDefaultAction, which does just that.
    virtual std::string DefaultActionName() const { return {}; }
    virtual void DoDefaultAction() {}
    // The windowed control that takes its accessible name from this one (a label's
    // FocusControl), or null.
    virtual TWinControl* LabelledControl() const { return nullptr; }

    void WndProc(TMessage& message) override;
    // Redraws the control's part of the parent window.
    void Invalidate() override;
    // Paints the control; the parent calls it with the control's own origin.
    virtual void Paint(HDC) {}

protected:
    virtual void CMMouseEnter(TMessage& message);
    virtual void CMMouseLeave(TMessage& message);

    // Tells accessibility clients of a change of this element (EVENT_OBJECT_*).
    void NotifyAccessible(DWORD event) const;

    bool m_mouseInControl = false;

private:
    // Runs `change` and tells clients when it gave the control another accessible name.
    template <class Change>
    void Renaming(Change change);

    RECT m_bounds{};
    std::string m_text;
    bool m_enabled = true;
    bool m_visible = true;
};

} // namespace tk
