#include "toolkit/window/WindowBinding.h"
#include "toolkit/base/Application.h"

namespace tk::binding {

namespace {
int g_ownClassWindows = 0;
}

void AcquireOwnClass(WNDPROC proc)
{
    if (g_ownClassWindows++ > 0) return;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = sizeof(LONG_PTR); // the object
    wc.hInstance = ToolkitInstance();
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = OwnWindowClassName();
    ::RegisterClassExA(&wc);
}

void ReleaseOwnClass()
{
    if (--g_ownClassWindows == 0) ::UnregisterClassA(OwnWindowClassName(), ToolkitInstance());
}

void* OwnClassObject(HWND hwnd) { return reinterpret_cast<void*>(::GetWindowLongPtrA(hwnd, 0)); }

void BindOwnClass(HWND hwnd, void* object) { ::SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(object)); }

WNDPROC Subclass(HWND hwnd, WNDPROC proc, void* object)
{
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    return reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

void Unsubclass(HWND hwnd, WNDPROC proc, WNDPROC previous)
{
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    if (CurrentProc(hwnd) == proc) ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
}

void* SubclassObject(HWND hwnd) { return reinterpret_cast<void*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

WNDPROC CurrentProc(HWND hwnd) { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC)); }

} // namespace tk::binding
