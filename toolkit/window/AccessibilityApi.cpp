#include "toolkit/window/AccessibilityApi.h"
#include "toolkit/system/SystemFolders.h"

namespace tk::accessibility {

namespace {

template <class Fn>
Fn Find(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

struct Oleacc {
    using CreateStdFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using LresultFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    using AllocStringFn = BSTR(WINAPI*)(const OLECHAR*, UINT);

    // From the system folder: a library of the same name in the host's folder or the
    // current directory would come first in the search order.
    Oleacc()
        : module(LoadSystemLibrary("oleacc.dll")), automation(module ? LoadSystemLibrary("oleaut32.dll") : nullptr),
          createStd(Find<CreateStdFn>(module, "CreateStdAccessibleObject")),
          lresult(Find<LresultFn>(module, "LresultFromObject")),
          allocString(Find<AllocStringFn>(automation, "SysAllocStringLen"))
    {}

    HMODULE module;
    HMODULE automation;
    CreateStdFn createStd;
    LresultFn lresult;
    AllocStringFn allocString;
};

const Oleacc& Library()
{
    static const Oleacc oleacc;
    return oleacc;
}

} // namespace

bool Available() { return Library().createStd && Library().lresult && Library().allocString; }

HRESULT CreateStandardObject(HWND window, LONG objectId, REFIID iid, void** object)
{
    *object = nullptr;
    return Available() ? Library().createStd(window, objectId, iid, object) : E_NOTIMPL;
}

LRESULT ResultFromObject(REFIID iid, WPARAM wparam, IUnknown* object)
{
    return Available() ? Library().lresult(iid, wparam, object) : static_cast<LRESULT>(E_NOTIMPL);
}

BSTR AllocString(const std::string& text)
{
    if (!Available()) return nullptr;
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    BSTR result = Library().allocString(nullptr, static_cast<UINT>(length));
    if (result && length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result, length);
    return result;
}

// ole32 is loaded: the toolkit imports it.
void DisconnectClients(IUnknown* object)
{
    using DisconnectFn = HRESULT(WINAPI*)(LPUNKNOWN, DWORD);
    static const auto disconnect = Find<DisconnectFn>(::GetModuleHandleA("ole32.dll"), "CoDisconnectObject");
    if (disconnect) disconnect(object, 0);
}

void NotifyEvent(DWORD event, HWND window, LONG objectId, LONG childId)
{
    using NotifyFn = void(WINAPI*)(DWORD, HWND, LONG, LONG);
    static const auto notify = Find<NotifyFn>(::GetModuleHandleA("user32.dll"), "NotifyWinEvent");
    if (notify) notify(event, window, objectId, childId);
}

} // namespace tk::accessibility
