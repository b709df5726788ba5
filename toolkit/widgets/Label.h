#pragma once
// TLabel: a windowless line of text painted by its parent, transparent by default.
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
    void SetAutoSize(bool autoSize) { m_autoSize = autoSize; }

    void Paint(HDC dc) override;

private:
    bool m_transparent = true;
    bool m_autoSize = true;
};

} // namespace tk
