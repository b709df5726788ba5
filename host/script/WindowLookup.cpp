#include "host/script/WindowLookup.h"

namespace Host {

namespace {

BOOL CALLBACK Collect(HWND window, LPARAM found)
{
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

bool IsClass(HWND window, const std::string& cls) { return lstrcmpiA(ClassOf(window).c_str(), cls.c_str()) == 0; }

} // namespace

std::string ClassOf(HWND window)
{
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

RECT ChildRect(HWND child)
{
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::vector<HWND> ThreadWindows()
{
    std::vector<HWND> found;
    ::EnumThreadWindows(::GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND ChildAt(HWND parent, const std::string& cls, int left, int top)
{
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const RECT r = ChildRect(child);
        if (r.left == left && r.top == top && IsClass(child, cls)) return child;
    }
    return nullptr;
}

HWND NthChild(HWND parent, const std::string& cls, int n)
{
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (IsClass(child, cls) && --n == 0) return child;
    return nullptr;
}

HWND ModuleWindow(HMODULE library)
{
    for (HWND window : ThreadWindows()) {
        if (reinterpret_cast<HMODULE>(::GetWindowLongPtrA(window, GWLP_HINSTANCE)) == library &&
            !::GetWindow(window, GW_OWNER) && (::GetWindowLongA(window, GWL_STYLE) & WS_CAPTION))
            return window;
    }
    return nullptr;
}

} // namespace Host
