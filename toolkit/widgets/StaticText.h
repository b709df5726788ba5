#pragma once
// TStaticText: a text in a window of its own, painted in its colour and font.
#include "toolkit/window/WinControl.h"

namespace tk {

class TStaticText : public TWinControl {
public:
    explicit TStaticText(TComponent* owner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption);
    void SetAutoSize(bool autoSize);

protected:
    TCreateParams CreateParams() const override;
    void FontChanged() override;
    void WindowCreated() override;

private:
    void AdjustSize();
    bool m_autoSize = true;
};

} // namespace tk
