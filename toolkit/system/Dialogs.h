#pragma once
// The toolkit's standard dialogs: modal message boxes owned by the active window.
#include <string>

namespace tk {

// Shows text with one OK button and waits until the user closes the box.
void ShowMessage(const std::string& text);

// Asks a Yes/No question with the question icon; true when the user answers Yes.
bool ConfirmYesNo(const std::string& text);

// The standard report of a failure raised in an event or message handler.
void ShowErrorReport(const std::string& text);

} // namespace tk
