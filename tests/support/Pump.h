#pragma once
// Message pumping for tests that drive real windows on the calling thread, and the real
// pointer kept out of their way.
#include <windows.h>

#include <functional>

namespace ts {

// Dispatches every message waiting for the calling thread, then returns. A WM_QUIT met on
// the way is posted again and ends the pumping, so the caller's own loop still sees it.
void PumpMessages();

// Finishes every paint that `window` and its children have pending, then dispatches what
// else waits: the window is on screen as it stands.
void PumpPaints(HWND window);

// Posts a marker to the calling thread's queue and dispatches messages until it comes
// back: whatever was posted before it has been handled. That a message did not come is
// proven this way, never by waiting a while. False when the marker did not come back.
[[nodiscard]] bool PumpPosted();

// The longest a test waits for something that must happen. Waits end as soon as it does;
// the deadline only keeps a test that goes wrong from hanging, on the slowest machine too.
inline constexpr int kDeadlineMs = 60000;

// Pumps until done() is true or `timeoutMs` has passed; returns done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = kDeadlineMs);

// Puts the real pointer on the screen's top left corner, where no test places a window, so
// that only the messages a test sends move the pointer over its windows. Every screen has
// that corner, whatever its size.
void ParkPointer();

} // namespace ts
