// The life of a windowed control's window (made on first need with its children's,
// destroyed with its parent's or its object) and the dispatch of its messages; the child
// controls it takes in and lets go; the painting of its background; its accessible object.
#include "toolkit/window/WinControl.h"
#include "toolkit/base/Application.h"
#include "toolkit/base/ClassInfo.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/base/HandlerScope.h"
#include "toolkit/system/ErrorReport.h"
#include "toolkit/window/AccessibilityApi.h"
#include "toolkit/window/AccessibleClient.h"
#include "toolkit/window/GraphicControl.h"
#include "toolkit/window/Hints.h"
#include "toolkit/window/WindowBinding.h"
#include "toolkit/window/WindowFrame.h"

#include <algorithm>

namespace tk {

const TClassInfo& TWinControl::StaticClass()
{
    static const TClassInfo& info =
        TClassInfo::Define("TWinControl", &TControl::StaticClass(), nullptr, [](TClassInfo& c) {
            c.Integer("TabOrder", &TWinControl::SetTabOrder);
            c.Boolean("TabStop", &TWinControl::SetTabStop);
            c.Boolean("Ctl3D", &TWinControl::SetCtl3D);
            c.Boolean("ParentCtl3D", &TWinControl::SetParentCtl3D);
        });
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

void TWinControl::AddChildComponent(TComponent* child)
{
    if (auto* control = dynamic_cast<TControl*>(child)) control->SetParent(this);
}

TWinControl::~TWinControl()
{
    // Owned components go first, while this window still exists to be their parent.
    DestroyComponents();
    for (TControl* c : std::vector<TControl*>(m_controls)) c->SetParent(nullptr);
    LeaveParent();
    DestroyHandle();
}

// ---------------------------------------------------------------------------------------
// The window's life

TCreateParams TWinControl::CreateParams() const { return {nullptr, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0}; }

HWND TWinControl::Handle() const
{
    if (!m_hwnd && (Parent() || !(CreateParams().Style & WS_CHILD))) const_cast<TWinControl*>(this)->CreateHandle();
    return m_hwnd;
}

void TWinControl::CreateHandle()
{
    // A control that is going makes no window again, whatever still asks for one.
    if (m_hwnd || IsDestroying()) return;
    if (TWinControl* parent = Parent(); parent && !parent->m_hwnd) {
        parent->CreateHandle(); // makes this window too
        return;
    }
    CreateWindowTree(Parent() != nullptr);
}

void TWinControl::CreateWindowTree(bool inFront)
{
    TCreateParams params = CreateParams();
    DWORD style = params.Style;
    if (m_pendingVisible) style |= WS_VISIBLE;
    if (!m_pendingEnabled) style |= WS_DISABLED;
    HWND parent = Parent() ? Parent()->m_hwnd : nullptr;
    const RECT& r = m_pendingBounds;
    HWND hwnd;
    if (params.WindowClass) {
        hwnd = ::CreateWindowExA(params.ExStyle, params.WindowClass, m_pendingText.c_str(), style, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, parent, nullptr, ToolkitInstance(), nullptr);
        if (!hwnd) throw Exception(std::string("Cannot create a window of class ") + params.WindowClass);
        m_hwnd = hwnd;
        m_classProc = binding::Subclass(hwnd, SubclassProc, this);
        m_subclassed = true;
    } else {
        m_subclassed = false;
        m_ownClass.Take(OwnClassProc);
        hwnd = ::CreateWindowExA(params.ExStyle, OwnWindowClassName(), m_pendingText.c_str(), style, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, parent, nullptr, ToolkitInstance(), this);
        if (!hwnd) {
            m_ownClass.Release();
            throw Exception("Cannot create a window");
        }
    }
    // The window holds the text now.
    std::string().swap(m_pendingText);
    ::SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    // A window added beside siblings that exist already goes in front of them.
    if (parent && inFront) ::SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it)
        if (auto* w = dynamic_cast<TWinControl*>(*it); w && !w->m_hwnd) w->CreateWindowTree(false);
    WindowCreated();
}

void TWinControl::WindowCreated()
{
    // Hints wait for the windows they are shown over.
    if (FormHints* hints = TopLevelHints()) hints->WindowCreated(*this);
}

// Unbound first, the window's last messages no longer reach this object, so its hold on
// the own class is given back here, once the window is gone.
void TWinControl::DestroyHandle()
{
    if (!m_hwnd) return;
    HWND hwnd = m_hwnd;
    ForgetAccessible();
    Unbind();
    ::DestroyWindow(hwnd);
    m_ownClass.Release();
}

// From here on the window's messages no longer reach this object.
void TWinControl::Unbind()
{
    if (!m_hwnd) return;
    if (m_subclassed) binding::Unsubclass(m_hwnd, SubclassProc, m_classProc);
    else binding::BindOwnClass(m_hwnd, nullptr);
    m_hwnd = nullptr;
}

// What the window's border and caption take from its size, as the window will be made.
SIZE TWinControl::FrameSize() const
{
    const TCreateParams params = CreateParams();
    return WindowFrameSize(params.Style, params.ExStyle);
}

// ---------------------------------------------------------------------------------------
// Messages

// A window is this toolkit's while its window procedure is one of ours: that tells apart
// the windows of another copy of the toolkit (a test program's and a DLL's) and the
// windows of other programs, whose storage means something else.
TWinControl* TWinControl::FromHandle(HWND hwnd)
{
    if (!hwnd) return nullptr;
    const WNDPROC proc = binding::CurrentProc(hwnd);
    if (proc == OwnClassProc) return static_cast<TWinControl*>(binding::OwnClassObject(hwnd));
    if (proc == SubclassProc) return static_cast<TWinControl*>(binding::SubclassObject(hwnd));
    return nullptr;
}

// Messages before WM_NCCREATE (WM_GETMINMAXINFO) and after Unbind find no object and go to
// the default procedure.
LRESULT CALLBACK TWinControl::OwnClassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = static_cast<TWinControl*>(binding::OwnClassObject(hwnd));
    if (!self && msg == WM_NCCREATE) {
        self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        if (self) {
            binding::BindOwnClass(hwnd, self);
            self->m_hwnd = hwnd;
        }
    }
    return self ? Dispatch(self, hwnd, msg, wp, lp) : ::DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK TWinControl::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (auto* self = static_cast<TWinControl*>(binding::SubclassObject(hwnd))) return Dispatch(self, hwnd, msg, wp, lp);
    const auto classProc = reinterpret_cast<WNDPROC>(::GetClassLongPtrA(hwnd, GCLP_WNDPROC));
    return ::CallWindowProcA(classProc, hwnd, msg, wp, lp);
}

// Every message of a toolkit window passes here. A failure raised while handling it goes
// to the standard report and never unwinds into Windows. A form released while the message
// is handled (HandlerScope.h) is freed only once the outermost handler has returned.
LRESULT TWinControl::Dispatch(TWinControl* self, HWND, UINT msg, WPARAM wp, LPARAM lp)
{
    const HandlerScope handling;
    TMessage message{msg, wp, lp, 0};
    try {
        self->WndProc(message);
    } catch (...) {
        HandleException(std::current_exception());
    }
    return message.Result;
}

void TWinControl::DefaultHandler(TMessage& m)
{
    if (!m_hwnd) return;
    m.Result = m_subclassed ? ::CallWindowProcA(m_classProc, m_hwnd, m.Msg, m.WParam, m.LParam)
                            : ::DefWindowProcA(m_hwnd, m.Msg, m.WParam, m.LParam);
}

void TWinControl::WndProc(TMessage& m)
{
    // The form's tooltip learns of the pointer from here: it subclasses no window.
    if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK)
        if (FormHints* hints = TopLevelHints()) hints->Relay(m_hwnd, m);
    switch (m.Msg) {
    case WM_ERASEBKGND:
        if (m_subclassed) break;
        m.Result = 1;
        return;
    case WM_PAINT:
        if (m_subclassed) break;
        {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(m_hwnd, &ps);
            PaintBackground(dc, ps.rcPaint);
            m_windowless.Paint(dc, ps.rcPaint);
            PaintOver(dc);
            ::EndPaint(m_hwnd, &ps);
        }
        return;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
        if (!m_subclassed && m_windowless.RouteMouse(m)) return;
        break;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(m.WParam) == m_hwnd && LOWORD(m.LParam) == HTCLIENT) {
            const TControl* under = m_windowless.UnderPointer();
            TCursor cursor = under ? under->Cursor() : crDefault;
            if (cursor == crDefault) cursor = Cursor();
            if (cursor != crDefault) {
                ::SetCursor(CursorHandle(cursor));
                m.Result = TRUE;
                return;
            }
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
        if (TWinControl* top = TopLevel(); top && top->HandleKey(*this, m)) return;
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(m.LParam)); child && child != this) {
            m.Result = reinterpret_cast<LRESULT>(child->CtlColor(reinterpret_cast<HDC>(m.WParam)));
            return;
        }
        break;
    case WM_COMMAND:
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(m.LParam)); child && child != this) {
            child->CommandNotify(HIWORD(m.WParam));
            return;
        }
        break;
    case WM_NOTIFY:
        if (FormHints::AnswerTextRequest(*this, m)) return;
        break;
    case WM_SIZE:
        DefaultHandler(m);
        AlignControls();
        return;
    case WM_GETOBJECT:
        if (AnswerAccessibleClient(m)) return;
        break;
    case WM_TK_DODEFAULTACTION:
        if (m_subclassed) break; // the system control's own range of messages
        RunDefaultAction(m.LParam);
        return;
    case WM_DESTROY:
        ForgetAccessible();
        KeepWindowState();
        break;
    case WM_NCDESTROY:
        DefaultHandler(m);
        // The window's last message, destroyed with its parent: nothing needs unbinding
        // from a window that is gone.
        m_hwnd = nullptr;
        m_ownClass.Release();
        return;
    default: break;
    }
    DefaultHandler(m);
}

// ---------------------------------------------------------------------------------------
// Children

void TWinControl::SetFocus()
{
    if (m_hwnd) ::SetFocus(m_hwnd);
}

void TWinControl::InsertControl(TControl* control)
{
    m_controls.push_back(control);
    control->ParentFontChanged(Font());
    control->ParentColorChanged(Color());
    control->KeepAnchorDistances();
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        win->ParentCtl3DChanged(m_ctl3D);
        if (m_hwnd) {
            if (!win->m_hwnd) win->CreateHandle();
            else ::SetParent(win->m_hwnd, m_hwnd);
        }
    }
    if (control->Align() != TAlign::alNone) AlignControls();
}

void TWinControl::RemoveControl(TControl* control)
{
    if (FormHints* hints = TopLevelHints()) hints->Remove(*control);
    m_windowless.Remove(control);
    m_controls.erase(std::remove(m_controls.begin(), m_controls.end(), control), m_controls.end());
}

void TWinControl::SetParent(TWinControl* parent)
{
    TControl::SetParent(parent);
    if (!parent && m_hwnd && (::GetWindowLongA(m_hwnd, GWL_STYLE) & WS_CHILD)) ::ShowWindow(m_hwnd, SW_HIDE);
}

LONG TWinControl::AccessibleChildId(const TControl* control) const
{
    const auto found = std::find(m_controls.begin(), m_controls.end(), control);
    return found == m_controls.end() ? 0 : static_cast<LONG>(found - m_controls.begin()) + 1;
}

TControl* TWinControl::ControlAtPos(POINT pt) const { return m_windowless.At(pt); }

void TWinControl::ScaleBy(int multiplier, int divisor)
{
    const ChildLayout::ScalingScope scaling(m_layout);
    ScaleSelf(multiplier, divisor);
    m_layout.ScaleChildren(multiplier, divisor);
}

// ---------------------------------------------------------------------------------------
// Accessibility

bool TWinControl::AnswerAccessibleClient(TMessage& m)
{
    // OBJID_CLIENT travels as a 32-bit value, sign-extended or not.
    if (static_cast<LONG>(static_cast<DWORD>(m.LParam)) != OBJID_CLIENT) return false;
    const bool servesChildren = !m_subclassed;
    if (!servesChildren && !AccessibleClient::LabelOf(*this)) return false;
    if (!m_accessible) {
        if (!accessibility::Available()) return false;
        m_accessible = AccessibleClient::Create(*this, servesChildren);
        if (!m_accessible) return false;
    }
    // The result carries a reference of the client's own; the window keeps its one. Where
    // it cannot be made, the client gets the standard object as before.
    const LRESULT result =
        accessibility::ResultFromObject(__uuidof(IAccessible), m.WParam, static_cast<IAccessible*>(m_accessible.Get()));
    if (FAILED(static_cast<HRESULT>(result))) return false;
    m.Result = result;
    return true;
}

void TWinControl::ForgetAccessible()
{
    if (!m_accessible) return;
    m_accessible->Disconnect();
    m_accessible.Reset();
}

// The control may have gone since the request was posted: only a child that is still on
// the window and enabled acts.
void TWinControl::RunDefaultAction(LPARAM control)
{
    const auto found = std::find(m_controls.begin(), m_controls.end(), reinterpret_cast<TControl*>(control));
    if (found == m_controls.end()) return;
    if (auto* c = dynamic_cast<TGraphicControl*>(*found); c && c->Enabled()) c->DoDefaultAction();
}

// ---------------------------------------------------------------------------------------
// Painting

void TWinControl::Invalidate()
{
    if (m_hwnd) ::InvalidateRect(m_hwnd, nullptr, TRUE);
}

void TWinControl::PaintBackground(HDC dc, const RECT& area)
{
    if (!m_brush) m_brush = SharedGdiObject::SolidBrush(ColorToRGB(Color()));
    ::FillRect(dc, &area, static_cast<HBRUSH>(m_brush.get()));
}

HBRUSH TWinControl::CtlColor(HDC dc)
{
    ::SetTextColor(dc, ColorToRGB(Font().Color()));
    ::SetBkColor(dc, ColorToRGB(Color()));
    if (!m_brush) m_brush = SharedGdiObject::SolidBrush(ColorToRGB(Color()));
    return static_cast<HBRUSH>(m_brush.get());
}

} // namespace tk
