#pragma once
// FormHints: the tooltip a form shows the hints of its controls in, one tool a control
// whose ShowHint is set and whose hint is not empty. It subclasses no window: the form's
// windows relay their mouse messages to it, and the parent of a control answers its
// request for the control's text when it shows the hint.
#include "toolkit/window/Control.h"

namespace tk {

class FormHints {
public:
    explicit FormHints(TWinControl& form) : m_form(form) {}
    FormHints(const FormHints&) = delete;
    FormHints& operator=(const FormHints&) = delete;

    // The tooltip, made with the form's window; null before, or when it cannot be made.
    HWND Tooltip();
    // The form's window destroys the tooltip it owns together with itself.
    void ForgetTooltip() { static_cast<void>(m_tooltip.release()); }

    // Adds, moves or removes the control's tool as its hint and ShowHint say. A control
    // whose windows do not exist yet waits for them (WindowCreated).
    void Update(TControl& control);
    void Remove(TControl& control);
    // Adds the tools of a window just made and of the windowless controls on it.
    void WindowCreated(TWinControl& window);
    // Shows the tooltip a mouse message that `hwnd`, one of the form's windows, received.
    void Relay(HWND hwnd, const TMessage& message);
    // Answers the tooltip's request for the text of a tool on `parent` (WM_NOTIFY with
    // TTN_GETDISPINFO); false for any other message.
    static bool AnswerTextRequest(const TWinControl& parent, const TMessage& message);

private:
    TWinControl& m_form;
    UniqueWindow m_tooltip;
};

} // namespace tk
