#pragma once
// TMemo: a multi-line edit field; lines are separated by CR LF in its text.
#include "toolkit/widgets/CustomEdit.h"

namespace tk {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TCustomEdit {
public:
    explicit TMemo(TComponent* owner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    // Scroll bars and word wrap are styles: they are set before the window is made.
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle scrollBars);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);
    // Lone line feeds and carriage returns become CR LF: the EDIT control breaks lines
    // only there, and shows anything else as a block.
    void SetText(const std::string& text) override;

protected:
    TCreateParams CreateParams() const override;

private:
    TScrollStyle m_scrollBars = TScrollStyle::ssNone;
    bool m_wordWrap = true;
};

} // namespace tk
