#pragma once
// Message pumping for tests that drive real windows on the calling thread.
#include <windows.h>

#include <functional>

namespace ts {

// Dispatches every message waiting for the calling thread, then returns. A WM_QUIT met on
// the way is posted again and ends the pumping, so the caller's own loop still sees it.
void PumpMessages();

// Finishes every paint that `window` and its children have pending, then dispatches what
// else waits: the window is on screen as it stands.
void PumpPaints(HWND window);

// Pumps for `milliseconds`, sleeping whenever the queue is empty: for tests that must see
// that nothing more comes within a time, never to wait for something that does come.
void PumpFor(int milliseconds);

// Pumps until done() is true or `timeoutMs` has passed; returns done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 2000);

} // namespace ts
