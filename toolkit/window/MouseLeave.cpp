#include "toolkit/window/MouseLeave.h"

namespace tk {

namespace {

using TrackMouseEventFn = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);

TrackMouseEventFn Find(const char* dll, const char* name)
{
    HMODULE module = ::GetModuleHandleA(dll);
    FARPROC function = module ? ::GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<TrackMouseEventFn>(reinterpret_cast<void*>(function));
}

void CALLBACK PollPointer(HWND hwnd, UINT, UINT_PTR timer, DWORD)
{
    POINT pt;
    if (::GetCursorPos(&pt) && ::WindowFromPoint(pt) == hwnd) return;
    ::KillTimer(hwnd, timer);
    ::PostMessageA(hwnd, WM_MOUSELEAVE, 0, 0);
}

} // namespace

bool TrackMouseLeave(HWND hwnd)
{
    TrackMouseEventFn track = Find("user32.dll", "TrackMouseEvent");
    if (!track) track = Find("comctl32.dll", "_TrackMouseEvent");
    if (track) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd, 0};
        return track(&tme) != FALSE;
    }
    return ::SetTimer(hwnd, kLeavePollTimer, kLeavePollInterval, PollPointer) != 0;
}

} // namespace tk
