#pragma once
// TSpeedButton: a windowless button painted by its parent. It shows a glyph bitmap, has
// a flat look (a frame only while the pointer is over it or it is pressed) and fires
// OnClick when the left button is released over it. To accessibility clients it is a push
// button named by its hint (the text a sighted user reads on hover), whose default action
// is the click.
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/window/GraphicControl.h"

namespace tk {

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* owner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    bool Flat() const { return m_flat; }
    void SetFlat(bool flat);
    // The button's own glyph; drawing into it (or emptying it) redraws the face.
    TBitmap& Glyph() { return m_glyph; }
    const TBitmap& Glyph() const { return m_glyph; }
    bool Pressed() const { return m_pressed; }
    bool MouseInControl() const { return m_mouseInControl; }

    void Paint(HDC dc) override;
    void WndProc(TMessage& message) override;

    long AccessibleRole() const override;
    std::string AccessibleName() const override;
    long AccessibleState() const override;
    // The default action's name, "Press" until a window in another language names it.
    std::string DefaultActionName() const override { return m_actionName; }
    void SetDefaultActionName(const std::string& name) { m_actionName = name; }
    // What a click runs, and nothing while the button is disabled.
    void DoDefaultAction() override;

private:
    TBitmap m_glyph;
    std::string m_actionName = "Press";
    bool m_flat = false;
    bool m_pressed = false;
};

} // namespace tk
