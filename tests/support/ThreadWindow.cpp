#include "tests/support/ThreadWindow.h"
#include "contract/HostMessage.h"
#include "tests/support/Pump.h"

#include <stdexcept>

namespace ts {
namespace {

constexpr char kClassName[] = "KelvamoTestThreadWindow";

} // namespace

ThreadWindow::ThreadWindow(Kind kind, DWORD hangMs)
    : m_ready(::CreateEventA(nullptr, TRUE, FALSE, nullptr)), m_release(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_message(::RegisterWindowMessageA(HostMessage::kName))
{
    static const ATOM atom = [] {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &ThreadWindow::WindowProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        return ::RegisterClassExA(&wc);
    }();
    if (!atom || !m_ready || !m_release || !m_message) throw std::runtime_error("the thread window cannot be made");
    m_thread = std::thread([this, kind, hangMs] { Run(kind, hangMs); });
    ::WaitForSingleObject(m_ready.get(), kDeadlineMs);
    if (!m_window) {
        Finish();
        throw std::runtime_error("the thread's window is not created");
    }
}

ThreadWindow::~ThreadWindow() { Finish(); }

void ThreadWindow::Finish()
{
    ::SetEvent(m_release.get());
    if (m_threadId) ::PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
    if (m_thread.joinable()) m_thread.join();
}

void ThreadWindow::Run(Kind kind, DWORD hangMs)
{
    const tk::UniqueWindow window(::CreateWindowExA(0, kClassName, "Kelvamo thread window", WS_OVERLAPPEDWINDOW, 20, 20,
                                                    200, 150, nullptr, nullptr, ::GetModuleHandleA(nullptr), this));
    MSG msg;
    // The thread's queue exists before the test may post WM_QUIT to it.
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    m_threadId = ::GetCurrentThreadId();
    m_window = window.get();
    m_blocking = kind == Kind::Hung && window;
    ::SetEvent(m_ready.get());
    if (!window) return;
    if (kind == Kind::Hung) {
        // Not a wait for messages: Windows counts a thread as hung that has not asked for
        // a message for 5 s and does not wait for one.
        ::WaitForSingleObject(m_release.get(), hangMs);
        m_blocking = false;
        return;
    }
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
}

LRESULT CALLBACK ThreadWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<ThreadWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && msg == self->m_message) {
        ++self->m_handled;
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wp, lp);
}

} // namespace ts
