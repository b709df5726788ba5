#pragma once
// AccessibleClient: the accessible object (IAccessible) of a toolkit window's client area,
// which the window hands to a client that asks with WM_GETOBJECT and OBJID_CLIENT.
//
// Of a window of the toolkit's own class (a form, a panel) it serves the children: the
// window's controls in the order they were given it, child id 1 the first. A windowed
// child is the system's standard object of its window (CreateStdAccessibleObject), as
// screen readers know it; a windowless one is a simple element that describes itself
// (TGraphicControl: role, name, state, place, default action). Of a system control (an
// edit field) it changes one thing only: a label that links to the control names it.
// Everything else is the standard object's of the same window.
//
// Clients may keep the object after the window is gone: the window disconnects it when it
// is destroyed, and from then on every call fails with RPC_E_DISCONNECTED.
#include "toolkit/base/ComRef.h"

#include <windows.h>
#include <oleacc.h>

namespace tk {

class TControl;
class TGraphicControl;
class TWinControl;

// The toolkit's message by which a client's request for a default action reaches the
// window: it runs from the window's message loop, so that a click that opens a modal box
// does not hold the client's call (WParam 0, LParam the control).
inline constexpr UINT WM_TK_DODEFAULTACTION = WM_USER + 0x0B01;

class AccessibleClient final : public IAccessible {
public:
    // The object of `window`'s client area, with one reference for the caller; null when
    // the system's standard object cannot be had.
    static ComRef<AccessibleClient> Create(TWinControl& window, bool servesChildren);
    // The window is going: the object lets go of it and of the standard object.
    void Disconnect();

    // The label that names `control`, or null.
    static const TGraphicControl* LabelOf(const TWinControl& control);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: no type information; clients use the IAccessible methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override;

private:
    AccessibleClient(TWinControl& window, ComRef<IAccessible> standard, bool servesChildren);
    ~AccessibleClient() = default;

    // What a child id names: the client area itself, a windowless element, or a child
    // window, whose standard object answers for it.
    struct Target {
        HRESULT status = S_OK; // a failure: disconnected, or no such child
        bool self = false;
        TGraphicControl* element = nullptr;
        TWinControl* window = nullptr;
        ComRef<IAccessible> windowObject;
    };
    Target Resolve(const VARIANT& child) const;
    // Answers for `child`: `own` for a windowless element, else `ask` of the standard
    // object that answers for it (a child window's own, or the client area's).
    template <class Own, class Ask>
    HRESULT Answer(const VARIANT& child, Own own, Ask ask) const
    {
        const Target t = Resolve(child);
        if (FAILED(t.status)) return t.status;
        if (t.element) return own(*t.element);
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        return t.window ? ask(*t.windowObject.Get(), self) : ask(*m_standard.Get(), child);
    }
    // A child id or the standard object of a child window, as accNavigate and accHitTest
    // return them.
    HRESULT ChildVariant(long id, VARIANT* result) const;

    LONG m_references = 1;
    TWinControl* m_window;
    ComRef<IAccessible> m_standard;
    bool m_servesChildren;
};

} // namespace tk
