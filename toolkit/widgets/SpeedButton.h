#pragma once
// TSpeedButton: a windowless button painted by its parent. It shows a glyph bitmap, has
// a flat look (a frame only while the pointer is over it or it is pressed) and fires
// OnClick when the left button is released over it.
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

private:
    TBitmap m_glyph;
    bool m_flat = false;
    bool m_pressed = false;
};

} // namespace tk
