#pragma once
// TPanel: a plain rectangle in its colour, with an optional bevel and centred caption;
// the usual parent of aligned strips and groups of controls.
#include "toolkit/window/WinControl.h"

namespace tk {

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* owner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption);
    void SetBevelOuter(TBevelCut bevel);

protected:
    void PaintOver(HDC dc) override;

private:
    TBevelCut m_bevelOuter = TBevelCut::bvRaised;
};

} // namespace tk
