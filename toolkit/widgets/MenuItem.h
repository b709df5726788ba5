#pragma once
// TMenuItem: one entry of a menu, with a caption, a shortcut key and a click event.
#include "toolkit/window/Control.h"

namespace tk {

// Shortcut values: the virtual key in the low byte plus these modifier bits.
inline constexpr int scShift = 0x2000;
inline constexpr int scCtrl = 0x4000;
inline constexpr int scAlt = 0x8000;
std::string ShortCutToText(int shortcut);

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption) { m_caption = caption; }
    int ShortCut() const { return m_shortCut; }
    void SetShortCut(int shortcut) { m_shortCut = shortcut; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }

    TNotifyEvent OnClick;
    void Click();

private:
    std::string m_caption;
    int m_shortCut = 0;
    bool m_enabled = true;
    bool m_visible = true;
};

} // namespace tk
