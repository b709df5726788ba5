#pragma once
// TWinControl: a control with a window of its own. Its window is made on first need (the
// first Handle(), a form's layouts read, a parent whose window exists), with its final
// place and style, together with the windows of all its children. Until then the object
// keeps what the window will hold (place, text, enabled state, visibility) as pending
// values; from then on it asks the window and tells it. The window's messages reach the
// virtual WndProc through one window procedure (WindowBinding.h).
//
// Its two files: WinControl.cpp, the window's life, its messages and its children;
// WindowState.cpp, what the window holds. Its other duties have places of their own: the
// layout of its children (ChildLayout), its windowless children (WindowlessChildren), and
// the accessible object of its client area (AccessibleClient), made when a client first
// asks for it. A top-level window's hints and keys are a form's (Hints, HandleKey).
#include "toolkit/base/ComRef.h"
#include "toolkit/gdi/SharedGdiObject.h"
#include "toolkit/window/ChildLayout.h"
#include "toolkit/window/Control.h"
#include "toolkit/window/WindowBinding.h"
#include "toolkit/window/WindowlessChildren.h"

#include <vector>

namespace tk {

class AccessibleClient;

struct TCreateParams {
    const char* WindowClass = nullptr; // a system class (subclassed) or null for our own
    DWORD Style = 0;
    DWORD ExStyle = 0;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window, made now (with its parents' and children's) if it does not exist yet;
    // null for a child control that has no parent.
    HWND Handle() const;
    bool HandleAllocated() const { return m_hwnd != nullptr; }
    void HandleNeeded() const { static_cast<void>(Handle()); }
    static TWinControl* FromHandle(HWND hwnd);

    void SetParent(TWinControl* parent) override;
    RECT BoundsRect() const override;
    void UpdateBounds(int left, int top, int width, int height) override;
    int ClientWidth() const override;
    int ClientHeight() const override;

    bool Enabled() const override;
    void SetEnabled(bool enabled) override;
    bool Visible() const override;
    void SetVisible(bool visible) override;
    std::string Text() const override;
    void SetText(const std::string& text) override;

    // Three-dimensional borders, a style the window is made with; controls take their
    // parent's setting unless given one.
    bool Ctl3D() const { return m_ctl3D; }
    void SetCtl3D(bool ctl3D);
    void SetParentCtl3D(bool parentCtl3D);

    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool tabStop) { m_tabStop = tabStop; }
    int TabOrder() const { return m_tabOrder; }
    void SetTabOrder(int order) { m_tabOrder = order; }

    // Child controls in the order they were given this parent.
    const std::vector<TControl*>& Controls() const { return m_controls; }
    // The topmost visible windowless child at a client point; disabled ones included.
    TControl* ControlAtPos(POINT pt) const;
    // Take a child in and let it go; TControl::SetParent calls them.
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // The child id a child control has in the client area's accessible object: its place
    // in Controls(), from 1; 0 for a control that is not a child.
    LONG AccessibleChildId(const TControl* control) const;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }
    void AddChildComponent(TComponent* child) override;

    void WndProc(TMessage& message) override;
    // Scales the control and everything on it.
    void ScaleBy(int multiplier, int divisor) override;
    void Invalidate() override;
    void SetFocus();

    // Places aligned children and applies the anchors of the others to the client size.
    void AlignControls() { m_layout.Apply(); }

    // What a top-level window does for every window on it, which a form provides: the
    // tooltip of their hints, and the keys it handles for all of them (Tab, the menu
    // shortcuts), asked with the window the key came to. A plain windowed control keeps
    // neither.
    virtual FormHints* Hints() { return nullptr; }
    virtual bool HandleKey(TWinControl& /*from*/, const TMessage& /*message*/) { return false; }

protected:
    virtual TCreateParams CreateParams() const;
    // Whether a property the window takes only when it is made (a style) may change: only
    // until the window exists. A change to a live window is refused, loudly in a debug
    // build, rather than half done.
    bool StyleChangeable() const;
    // Scales the control's own place, size and font.
    virtual void ScaleSelf(int multiplier, int divisor) { TControl::ScaleBy(multiplier, divisor); }
    // Makes the window of this control and its children; a parent without a window makes
    // its own first, and with it this one.
    void CreateHandle();
    // The window was just made: it takes what it keeps beside its styles (a text limit, an
    // icon), and its hints are shown.
    virtual void WindowCreated();
    // The window is going while the object stays: what it holds becomes pending again,
    // for a window made anew.
    virtual void KeepWindowState();
    // Destroys the window, and with it the windows of all children.
    void DestroyHandle();
    // What border and caption take from the size, for the window as it will be made.
    SIZE FrameSize() const;
    // Painting after the background and the windowless children (frames, captions).
    virtual void PaintOver(HDC) {}
    // Window procedure of the window's class, for messages the toolkit leaves alone.
    void DefaultHandler(TMessage& message);
    // Colours a child system control (WM_CTLCOLOR*): returns the brush to paint with.
    virtual HBRUSH CtlColor(HDC dc);
    // A notification code of WM_COMMAND sent by this control's window to its parent.
    virtual void CommandNotify(WORD) {}

    void FontChanged() override;
    void ColorChanged() override;

private:
    static LRESULT CALLBACK OwnClassProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT Dispatch(TWinControl* self, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Unbind();
    // Makes this window, then its children's, the last child first: a new child window
    // goes behind its older siblings, and a later control lies in front of an earlier one.
    void CreateWindowTree(bool inFront);
    void ParentCtl3DChanged(bool ctl3D);
    void ApplyCtl3D(bool ctl3D);
    void PaintBackground(HDC dc, const RECT& area);
    // WM_GETOBJECT for the client area: answered by a window of the own class, which
    // serves its windowless children, and by a system control that a label names; false
    // for the default handling (without oleacc.dll too).
    bool AnswerAccessibleClient(TMessage& message);
    // The window is going: its accessible object is disconnected from it and let go.
    void ForgetAccessible();
    // A client's request for the default action of a windowless child, from the queue.
    void RunDefaultAction(LPARAM control);

    HWND m_hwnd = nullptr;
    binding::OwnClassHold m_ownClass; // held while a window of the own class exists
    bool m_subclassed = false;
    WNDPROC m_classProc = nullptr; // the system control's own procedure, when subclassed
    // What the window holds once it exists, until then.
    RECT m_pendingBounds{};
    std::string m_pendingText;
    bool m_pendingEnabled = true;
    bool m_pendingVisible = true;

    std::vector<TControl*> m_controls;
    ChildLayout m_layout{*this};
    WindowlessChildren m_windowless{*this};
    ComRef<AccessibleClient> m_accessible;
    SharedGdiObject m_brush; // of the control's colour, shared with others of that colour
    bool m_ctl3D = true;
    bool m_parentCtl3D = true;
    bool m_tabStop = false;
    int m_tabOrder = -1;
};

} // namespace tk
