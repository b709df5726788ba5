#pragma once
// TGraphicControl: a control without a window of its own. It keeps its place, text,
// enabled state and visibility itself, its parent window paints it and hit-tests it, and
// tells it when the pointer enters and leaves it (CM_MOUSEENTER, CM_MOUSELEAVE).
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

    void WndProc(TMessage& message) override;
    // Redraws the control's part of the parent window.
    void Invalidate() override;
    // Paints the control; the parent calls it with the control's own origin.
    virtual void Paint(HDC) {}

protected:
    virtual void CMMouseEnter(TMessage& message);
    virtual void CMMouseLeave(TMessage& message);

    bool m_mouseInControl = false;

private:
    RECT m_bounds{};
    std::string m_text;
    bool m_enabled = true;
    bool m_visible = true;
};

} // namespace tk
