#include "toolkit/window/AccessibleClient.h"
#include "toolkit/window/AccessibilityApi.h"
#include "toolkit/window/GraphicControl.h"
#include "toolkit/window/WinControl.h"

#include <algorithm>

namespace tk {

namespace {

VARIANT SelfId()
{
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

void SetEmpty(VARIANT* v) { v->vt = VT_EMPTY; }

void SetLong(VARIANT* v, long value)
{
    v->vt = VT_I4;
    v->lVal = value;
}

// A text property: S_FALSE with no string for an empty text.
HRESULT ReturnText(const std::string& text, BSTR* out)
{
    if (text.empty()) return S_FALSE;
    *out = accessibility::AllocString(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

// What a windowless element answers for a property it does not have.
HRESULT NoSuchProperty(const TGraphicControl&) { return DISP_E_MEMBERNOTFOUND; }

ComRef<IAccessible> WindowObject(HWND hwnd)
{
    ComRef<IAccessible> object;
    if (FAILED(accessibility::CreateStandardObject(hwnd, OBJID_WINDOW, __uuidof(IAccessible), object.OutVoid())))
        object.Reset();
    return object;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Life

ComRef<AccessibleClient> AccessibleClient::Create(TWinControl& window, bool servesChildren)
{
    ComRef<IAccessible> standard;
    if (FAILED(accessibility::CreateStandardObject(window.Handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                                   standard.OutVoid())) ||
        !standard)
        return {};
    return ComRef<AccessibleClient>(new AccessibleClient(window, std::move(standard), servesChildren));
}

AccessibleClient::AccessibleClient(TWinControl& window, ComRef<IAccessible> standard, bool servesChildren)
    : m_window(&window), m_standard(std::move(standard)), m_servesChildren(servesChildren)
{}

void AccessibleClient::Disconnect()
{
    m_window = nullptr;
    m_standard.Reset();
    accessibility::DisconnectClients(static_cast<IAccessible*>(this));
}

const TGraphicControl* AccessibleClient::LabelOf(const TWinControl& control)
{
    if (!control.Parent()) return nullptr;
    for (TControl* c : control.Parent()->Controls())
        if (auto* label = dynamic_cast<const TGraphicControl*>(c); label && label->LabelledControl() == &control)
            return label;
    return nullptr;
}

HRESULT STDMETHODCALLTYPE AccessibleClient::QueryInterface(REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IDispatch)) ||
        IsEqualIID(iid, __uuidof(IAccessible))) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE AccessibleClient::AddRef() { return static_cast<ULONG>(++m_references); }

ULONG STDMETHODCALLTYPE AccessibleClient::Release()
{
    const LONG left = --m_references;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE AccessibleClient::GetTypeInfoCount(UINT* count)
{
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE AccessibleClient::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE AccessibleClient::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE AccessibleClient::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

// ---------------------------------------------------------------------------------------
// Children

AccessibleClient::Target AccessibleClient::Resolve(const VARIANT& child) const
{
    Target t;
    if (!m_window) {
        t.status = RPC_E_DISCONNECTED;
    } else if (child.vt != VT_I4) {
        t.status = E_INVALIDARG;
    } else if (child.lVal == CHILDID_SELF || !m_servesChildren) {
        // A system control's children are its standard object's.
        t.self = child.lVal == CHILDID_SELF;
    } else {
        const auto& controls = m_window->Controls();
        if (child.lVal < 1 || static_cast<size_t>(child.lVal) > controls.size()) {
            t.status = E_INVALIDARG;
        } else if (auto* w = dynamic_cast<TWinControl*>(controls[child.lVal - 1])) {
            t.window = w;
            if (w->HandleAllocated()) t.windowObject = WindowObject(w->Handle());
            if (!t.windowObject) t.status = E_FAIL;
        } else {
            t.element = dynamic_cast<TGraphicControl*>(controls[child.lVal - 1]);
            if (!t.element) t.status = E_INVALIDARG;
        }
    }
    return t;
}

HRESULT AccessibleClient::ChildVariant(long id, VARIANT* result) const
{
    SetLong(result, id);
    TControl* control = m_window->Controls()[id - 1];
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        ComRef<IAccessible> object = w->HandleAllocated() ? WindowObject(w->Handle()) : ComRef<IAccessible>();
        if (!object) {
            SetEmpty(result);
            return E_FAIL;
        }
        result->vt = VT_DISPATCH;
        result->pdispVal = object.Detach();
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE AccessibleClient::get_accParent(IDispatch** parent)
{
    if (!parent) return E_POINTER;
    *parent = nullptr;
    return m_window ? m_standard->get_accParent(parent) : RPC_E_DISCONNECTED;
}

HRESULT STDMETHODCALLTYPE AccessibleClient::get_accChildCount(long* count)
{
    if (!count) return E_POINTER;
    *count = 0;
    if (!m_window) return RPC_E_DISCONNECTED;
    if (!m_servesChildren) return m_standard->get_accChildCount(count);
    *count = static_cast<long>(m_window->Controls().size());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE AccessibleClient::get_accChild(VARIANT child, IDispatch** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    Target t = Resolve(child);
    if (FAILED(t.status)) return t.status;
    if (!m_servesChildren) return m_standard->get_accChild(child, object);
    if (t.self) return E_INVALIDARG;
    if (t.element) return S_FALSE; // a simple element has no object of its own
    *object = t.windowObject.Detach();
    return S_OK;
}

// ---------------------------------------------------------------------------------------
// Properties. Each asks the element, or the standard object of the client area or of the
// child window the id names.

HRESULT STDMETHODCALLTYPE AccessibleClient::get_accName(VARIANT child, BSTR* name)
{
    if (!name) return E_POINTER;
    *name = nullptr;
    Target t = Resolve(child);
    if (FAILED(t.status)) return t.status;
    if (t.element) return ReturnText(t.element->AccessibleName(), name);
    // A label names the window it links to, here and in the window's own object.
    if (t.self || t.window)
        if (const TGraphicControl* label = LabelOf(t.window ? *t.window : *m_window))
            return ReturnText(label->AccessibleName(), name);
    return t.window ? t.windowObject->get_accName(SelfId(), name) : m_standard->get_accName(child, name);
}

HRESULT STDMETHODCALLTYPE AccessibleClient::get_accValue(VARIANT child, BSTR* value)
{
    if (!value) return E_POINTER;
    *value = nullptr;
    return Answer(child, NoSuchProperty, [&](IAccessible& o, VARIANT id) { return o.get_accValue(id, value); });
}

HRESULT STDMETHODCALLTYPE AccessibleClient::get_accDescription(VARIANT child, BSTR* description)
{
    if (!description) return E_POINTER;
    *description = nullptr;
    return Answer(child, NoSuchProperty,
                  [&](IAccessible& o, VARIANT id) { return o.get_accDescription(id, description); });
}

HRESULT STDMETHODCALLTYPE AccessibleClient::get_accRole(VARIANT child, VARIANT* role)
{
    if (!role) return E_POINTER;
    SetEmpty(role);
    return Answer(
        child,
        [&](const TGraphicControl& e) {
            SetLong(role, e.AccessibleRole());
            return S_OK;
        },
        [&](IAccessible& o, VARIANT id) { return o.get_accRole(id, role); });
}

HRESULT STDMETHODCALLTYPE AccessibleClient::get_accState(VARIANT child, VARIANT* state)
{
    if (!state) return E_POINTER;
    SetEmpty(state);
    return Answer(
        child,
        [&](const TGraphicControl& e) {
            SetLong(state, e.AccessibleState());
            return S_OK;
        },
        [&](IAccessible& o, VARIANT id) { return o.get_accState(id, state); });
}

HRESULT STDMETHODCALLTYPE AccessibleClient::get_accHelp(VARIANT child, BSTR* help)
{
    if (!help) return E_POINTER;
    *help = nullptr;
    return Answer(child, NoSuchProperty, [&](IAccessible& o, VARIANT id) { return o.get_accHelp(id, help); });
}

HRESULT STDMETHODCALLTYPE AccessibleClient::get_accHelpTopic(BSTR* file, VARIANT child, long* topic)
{
    if (!file || !topic) return E_POINTER;
    *file = nullptr;
    *topic = 0;
    return Answer(child, NoSuchProperty,
                  [&](IAccessible& o, VARIANT id) { return o.get_accHelpTopic(file, id, topic); });
}

HRESULT STDMETHODCALLTYPE AccessibleClient::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    if (!shortcut) return E_POINTER;
    *shortcut = nullptr;
    return Answer(
        child, [](const TGraphicControl&) { return S_FALSE; },
        [&](IAccessible& o, VARIANT id) { return o.get_accKeyboardShortcut(id, shortcut); });
}

HRESULT STDMETHODCALLTYPE AccessibleClient::get_accFocus(VARIANT* child)
{
    if (!child) return E_POINTER;
    SetEmpty(child);
    return m_window ? m_standard->get_accFocus(child) : RPC_E_DISCONNECTED;
}

HRESULT STDMETHODCALLTYPE AccessibleClient::get_accSelection(VARIANT* children)
{
    if (!children) return E_POINTER;
    SetEmpty(children);
    return m_window ? m_standard->get_accSelection(children) : RPC_E_DISCONNECTED;
}

HRESULT STDMETHODCALLTYPE AccessibleClient::get_accDefaultAction(VARIANT child, BSTR* action)
{
    if (!action) return E_POINTER;
    *action = nullptr;
    return Answer(
        child,
        [&](const TGraphicControl& e) {
            const std::string name = e.DefaultActionName();
            return name.empty() ? DISP_E_MEMBERNOTFOUND : ReturnText(name, action);
        },
        [&](IAccessible& o, VARIANT id) { return o.get_accDefaultAction(id, action); });
}

// ---------------------------------------------------------------------------------------
// Methods

HRESULT STDMETHODCALLTYPE AccessibleClient::accSelect(long flags, VARIANT child)
{
    // An element cannot take the focus.
    return Answer(child, NoSuchProperty, [&](IAccessible& o, VARIANT id) { return o.accSelect(flags, id); });
}

HRESULT STDMETHODCALLTYPE AccessibleClient::accLocation(long* left, long* top, long* width, long* height, VARIANT child)
{
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    Target t = Resolve(child);
    if (FAILED(t.status)) return t.status;
    if (!t.element && !t.window) return m_standard->accLocation(left, top, width, height, child);
    RECT r;
    if (t.window) {
        ::GetWindowRect(t.window->Handle(), &r);
    } else {
        r = t.element->BoundsRect();
        ::MapWindowPoints(m_window->Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    }
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

// Among the children: first and last from the client area, next and previous from a
// child, in the order of the list. The spatial directions are not served.
HRESULT STDMETHODCALLTYPE AccessibleClient::accNavigate(long direction, VARIANT start, VARIANT* end)
{
    if (!end) return E_POINTER;
    SetEmpty(end);
    Target t = Resolve(start);
    if (FAILED(t.status)) return t.status;
    if (!m_servesChildren) return m_standard->accNavigate(direction, start, end);
    const long count = static_cast<long>(m_window->Controls().size());
    long to = 0;
    if (t.self) {
        if (direction == NAVDIR_FIRSTCHILD) to = 1;
        else if (direction == NAVDIR_LASTCHILD) to = count;
        else return m_standard->accNavigate(direction, start, end);
    } else if (direction == NAVDIR_NEXT) {
        to = start.lVal + 1;
    } else if (direction == NAVDIR_PREVIOUS) {
        to = start.lVal - 1;
    } else if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
        if (t.element) return S_FALSE; // a simple element has no children
        return t.windowObject->accNavigate(direction, SelfId(), end);
    } else {
        return DISP_E_MEMBERNOTFOUND;
    }
    if (to < 1 || to > count) return S_FALSE;
    return ChildVariant(to, end);
}

// A child window lies over the windowless controls, which are painted on the window's
// own background.
HRESULT STDMETHODCALLTYPE AccessibleClient::accHitTest(long x, long y, VARIANT* child)
{
    if (!child) return E_POINTER;
    SetEmpty(child);
    if (!m_window) return RPC_E_DISCONNECTED;
    if (!m_servesChildren) return m_standard->accHitTest(x, y, child);
    HWND hwnd = m_window->Handle();
    POINT pt{x, y};
    ::MapWindowPoints(HWND_DESKTOP, hwnd, &pt, 1);
    RECT client;
    ::GetClientRect(hwnd, &client);
    if (!::PtInRect(&client, pt)) return S_FALSE;
    const auto& controls = m_window->Controls();
    TControl* hit = nullptr;
    if (HWND under = ::ChildWindowFromPointEx(hwnd, pt, CWP_SKIPINVISIBLE); under && under != hwnd)
        hit = TWinControl::FromHandle(under);
    if (!hit) hit = m_window->ControlAtPos(pt);
    const auto found = std::find(controls.begin(), controls.end(), hit);
    if (!hit || found == controls.end()) {
        SetLong(child, CHILDID_SELF);
        return S_OK;
    }
    return ChildVariant(static_cast<long>(found - controls.begin()) + 1, child);
}

// The action runs from the window's message loop (WM_TK_DODEFAULTACTION); a disabled
// control has none.
HRESULT STDMETHODCALLTYPE AccessibleClient::accDoDefaultAction(VARIANT child)
{
    Target t = Resolve(child);
    if (FAILED(t.status)) return t.status;
    if (t.window) return t.windowObject->accDoDefaultAction(SelfId());
    if (!t.element) return m_standard->accDoDefaultAction(child);
    if (t.element->DefaultActionName().empty() || !t.element->Enabled()) return DISP_E_MEMBERNOTFOUND;
    const auto control = reinterpret_cast<LPARAM>(t.element);
    return ::PostMessageA(m_window->Handle(), WM_TK_DODEFAULTACTION, 0, control) ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE AccessibleClient::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE AccessibleClient::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

} // namespace tk
