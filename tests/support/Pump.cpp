#include "tests/support/Pump.h"

#include <windows.h>

#include <algorithm>
#include <chrono>

namespace ts {
namespace {

// steady_clock rather than GetTickCount: tests patch the latter in the test program.
using Clock = std::chrono::steady_clock;

// Returns false when WM_QUIT was met.
bool PumpPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return true;
}

int MillisecondsLeft(Clock::time_point end)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    return static_cast<int>(std::max<long long>(left, 0));
}

// Sleeps until a message arrives or `milliseconds` pass.
void WaitForMessage(int milliseconds)
{
    ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(milliseconds), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

} // namespace

void PumpMessages() { PumpPending(); }

void PumpPaints(HWND window)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPending();
}

bool PumpPosted()
{
    static const UINT marker = ::RegisterWindowMessageA("ts.PumpPosted");
    static WPARAM serial = 0;
    const WPARAM mine = ++serial;
    if (!::PostThreadMessageA(::GetCurrentThreadId(), marker, mine, 0)) return false;
    // Posted messages come in the order they were posted: the marker comes after the others.
    const auto end = Clock::now() + std::chrono::milliseconds(kDeadlineMs);
    for (;;) {
        MSG msg;
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == marker && !msg.hwnd && msg.wParam == mine) return true;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            continue;
        }
        const int left = MillisecondsLeft(end);
        if (left == 0) return false;
        WaitForMessage(std::min(left, 10));
    }
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const bool quit = !PumpPending();
        if (done()) return true;
        const int left = MillisecondsLeft(end);
        if (left == 0) return false;
        // done() may wait on something other than a message (another thread, a file), so
        // look again at least every 10 ms.
        if (quit) ::Sleep(static_cast<DWORD>(std::min(left, 10)));
        else WaitForMessage(std::min(left, 10));
    }
}

void ParkPointer() { ::SetCursorPos(0, 0); }

} // namespace ts
