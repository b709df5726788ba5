#include "host/script/AccessibleWindow.h"

#include <stdexcept>

namespace Host {

namespace {

template <class Fn>
Fn Function(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

using ObjectFromWindowFn = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
using CoInitializeFn = HRESULT(WINAPI*)(LPVOID);
using CoUninitializeFn = void(WINAPI*)();
using FreeStringFn = void(WINAPI*)(BSTR);

VARIANT ChildId(long id)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

} // namespace

std::string AnsiText(const wchar_t* text)
{
    if (!text) return {};
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 1), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

AccessibleWindow::Apartment::Apartment(HMODULE library) : ole32(library)
{
    // S_FALSE too: an apartment that was there already is counted once more.
    if (const auto initialize = Function<CoInitializeFn>(ole32, "CoInitialize"))
        initialized = SUCCEEDED(initialize(nullptr));
}

AccessibleWindow::Apartment::~Apartment()
{
    if (initialized) Function<CoUninitializeFn>(ole32, "CoUninitialize")();
}

AccessibleWindow::AccessibleWindow(HWND window)
{
    const auto fromWindow = Function<ObjectFromWindowFn>(m_oleacc.module, "AccessibleObjectFromWindow");
    if (!fromWindow || !Function<FreeStringFn>(m_oleaut32.module, "SysFreeString"))
        throw std::runtime_error("this system has no Active Accessibility (oleacc.dll)");
    if (FAILED(fromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), m_object.OutVoid())) ||
        !m_object)
        throw std::runtime_error("the window gives no accessible object");
}

AccessibleWindow::~AccessibleWindow() = default;

std::vector<AccessibleWindow::Element> AccessibleWindow::Elements() const
{
    const auto freeString = Function<FreeStringFn>(m_oleaut32.module, "SysFreeString");
    auto text = [&](HRESULT hr, BSTR s) {
        std::string out = SUCCEEDED(hr) ? AnsiText(s) : std::string();
        freeString(s);
        return out;
    };
    std::vector<Element> elements;
    long count = 0;
    if (FAILED(m_object->get_accChildCount(&count))) return elements;
    for (long id = 1; id <= count; ++id) {
        IDispatch* child = nullptr;
        const HRESULT hr = m_object->get_accChild(ChildId(id), &child);
        if (child) child->Release();
        if (hr != S_FALSE) continue; // a child with an object of its own: a child window
        Element e{id, 0, {}, 0, {}, {}};
        VARIANT v;
        v.vt = VT_EMPTY;
        if (SUCCEEDED(m_object->get_accRole(ChildId(id), &v)) && v.vt == VT_I4) e.role = v.lVal;
        v.vt = VT_EMPTY;
        if (SUCCEEDED(m_object->get_accState(ChildId(id), &v)) && v.vt == VT_I4) e.state = v.lVal;
        BSTR s = nullptr;
        HRESULT got = m_object->get_accName(ChildId(id), &s);
        e.name = text(got, s);
        s = nullptr;
        got = m_object->get_accDefaultAction(ChildId(id), &s);
        e.action = text(got, s);
        long left = 0, top = 0, width = 0, height = 0;
        if (SUCCEEDED(m_object->accLocation(&left, &top, &width, &height, ChildId(id))))
            e.place = {left, top, left + width, top + height};
        elements.push_back(e);
    }
    return elements;
}

const AccessibleWindow::Element* AccessibleWindow::Find(const std::vector<Element>& elements, long role,
                                                        const std::string& name)
{
    for (const Element& e : elements)
        if (e.role == role && e.name == name) return &e;
    return nullptr;
}

const AccessibleWindow::Element* AccessibleWindow::Find(const std::vector<Element>& elements, long role, int n)
{
    for (const Element& e : elements)
        if (e.role == role && --n == 0) return &e;
    return nullptr;
}

HRESULT AccessibleWindow::Press(long id) const { return m_object->accDoDefaultAction(ChildId(id)); }

} // namespace Host
