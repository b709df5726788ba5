#pragma once
// The toolkit's standard dialogs: message boxes modal to the whole thread. While one is
// open, every top-level window of the calling thread that could take input is disabled,
// the program's (a host's) as well as the toolkit's own, and exactly those are enabled
// again when it closes. Its owner, for its place and the taskbar, is a form of this
// toolkit's module; never a window of another thread or program.
#include <string>

namespace tk {

// Shows text with one OK button and waits until the user closes the box.
void ShowMessage(const std::string& text);

// Asks a Yes/No question with the question icon; true when the user answers Yes.
bool ConfirmYesNo(const std::string& text);

// The standard report of a failure raised in an event or message handler. One report at
// a time: a failure raised while one is open goes no further, without a box of its own,
// so that a burst of failures cannot pile up boxes, each inside the last one's loop.
void ShowErrorReport(const std::string& text);

} // namespace tk
