#pragma once
// A top-level window on a thread of the test's own, standing for another program's window
// on the desktop: one that answers what it is sent, or one that hangs.
#include "toolkit/base/Handles.h"

#include <atomic>
#include <thread>

namespace ts {

class ThreadWindow {
public:
    enum class Kind {
        Answering, // pumps its messages until the object goes
        Hung,      // blocks without pumping, until the object goes or `hangMs` have passed
    };

    // Returns when the thread's window exists; throws std::runtime_error when none came.
    explicit ThreadWindow(Kind kind, DWORD hangMs = 40000);
    // Releases the thread and waits for its end; its window goes with it.
    ~ThreadWindow();
    ThreadWindow(const ThreadWindow&) = delete;
    ThreadWindow& operator=(const ThreadWindow&) = delete;

    HWND Window() const { return m_window; }
    // How many "Kelvamo" messages the window has handled.
    int Handled() const { return m_handled; }
    // Whether a hung thread still blocks.
    bool Blocking() const { return m_blocking; }

private:
    using Event = tk::UniqueHandle<tk::NullHandleTraits<HANDLE, tk::CloseKernelHandle>>;

    void Run(Kind kind, DWORD hangMs);
    void Finish();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    Event m_ready, m_release;
    UINT m_message = 0;
    std::atomic<HWND> m_window{nullptr};
    std::atomic<DWORD> m_threadId{0};
    std::atomic<int> m_handled{0};
    std::atomic<bool> m_blocking{false};
    std::thread m_thread;
};

} // namespace ts
