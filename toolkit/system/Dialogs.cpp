#include "toolkit/system/Dialogs.h"
#include "toolkit/base/Application.h"

#include <windows.h>

#include <vector>

namespace tk {

namespace {

// A form of the toolkit in this module: a window of its own class that stands on its own,
// not a child, and not a window of the program that loaded the module or of another copy
// of the toolkit.
bool IsOwnForm(HWND window)
{
    char name[32] = {};
    return window && reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(window, GWLP_HINSTANCE)) == ToolkitInstance() &&
           ::GetClassNameA(window, name, sizeof name) && lstrcmpA(name, OwnWindowClassName()) == 0 &&
           !(::GetWindowLongA(window, GWL_STYLE) & WS_CHILD) && !::GetWindow(window, GW_OWNER);
}

BOOL CALLBACK AddWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> ThreadWindows()
{
    std::vector<HWND> windows;
    ::EnumThreadWindows(::GetCurrentThreadId(), AddWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// The active window when it is one of this module's forms, else the first of them.
HWND BoxOwner(const std::vector<HWND>& threadWindows)
{
    if (HWND active = ::GetActiveWindow(); IsOwnForm(active)) return active;
    for (HWND window : threadWindows)
        if (IsOwnForm(window)) return window;
    return nullptr;
}

// Disables every visible, enabled top-level window of the thread while it lives, as a
// modal form does, and then enables exactly those again that still exist.
class ThreadWindowsDisabled {
public:
    explicit ThreadWindowsDisabled(const std::vector<HWND>& threadWindows)
    {
        for (HWND window : threadWindows)
            if (::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
                ::EnableWindow(window, FALSE);
                m_disabled.push_back(window);
            }
    }
    ~ThreadWindowsDisabled()
    {
        for (HWND window : m_disabled)
            if (::IsWindow(window)) ::EnableWindow(window, TRUE);
    }
    ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
    ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

private:
    std::vector<HWND> m_disabled;
};

int Box(const std::string& text, const char* title, UINT flags)
{
    const std::vector<HWND> windows = ThreadWindows();
    HWND owner = BoxOwner(windows);
    const ThreadWindowsDisabled modal(windows);
    // Application-modal to an owner that is disabled already: the box takes nothing more.
    return ::MessageBoxA(owner, text.c_str(), title, flags | MB_APPLMODAL);
}

} // namespace

void ShowMessage(const std::string& text) { Box(text, ApplicationTitle().c_str(), MB_OK); }

bool ConfirmYesNo(const std::string& text) { return Box(text, "Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES; }

void ShowErrorReport(const std::string& text)
{
    static bool open = false;
    if (open) return;
    struct Open {
        Open() { open = true; }
        ~Open() { open = false; }
    } const reporting;
    Box(text, ApplicationTitle().c_str(), MB_OK | MB_ICONSTOP);
}

} // namespace tk
