#include "toolkit/WinControl.h"
#include "toolkit/Application.h"
#include "toolkit/ClassInfo.h"
#include "toolkit/Exceptions.h"
#include "toolkit/Form.h"
#include "toolkit/WindowBinding.h"

#include <algorithm>
#include <cassert>

namespace tk {

namespace {

bool IsMouseMessage(UINT msg)
{
    return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK;
}

} // namespace

const TClassInfo& TWinControl::StaticClass()
{
    static const TClassInfo& info = TClassInfo::Define("TWinControl", &TControl::StaticClass(), nullptr, [](TClassInfo& c) {
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
    MarkDestroying();
    // Owned components go first, while this window still exists to be their parent.
    DestroyComponents();
    for (TControl* c : std::vector<TControl*>(m_controls)) c->SetParent(nullptr);
    DestroyHandle();
}

void TWinControl::DestroyHandle()
{
    if (!m_hwnd) return;
    HWND hwnd = m_hwnd;
    const bool ownClass = !m_subclassed;
    Unbind();
    ::DestroyWindow(hwnd);
    if (ownClass) binding::ReleaseOwnClass();
}

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

TCreateParams TWinControl::CreateParams() const
{
    return {nullptr, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0};
}

HWND TWinControl::Handle() const
{
    if (!m_hwnd && (Parent() || !(CreateParams().Style & WS_CHILD))) const_cast<TWinControl*>(this)->CreateHandle();
    return m_hwnd;
}

void TWinControl::CreateHandle()
{
    if (m_hwnd) return;
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
    if (Visible()) style |= WS_VISIBLE;
    if (!TControl::Enabled()) style |= WS_DISABLED;
    HWND parent = Parent() ? Parent()->m_hwnd : nullptr;
    const std::string text = TControl::Text();
    HWND hwnd;
    if (params.WindowClass) {
        hwnd = ::CreateWindowExA(params.ExStyle, params.WindowClass, text.c_str(), style, Left(), Top(),
                                 Width(), Height(), parent, nullptr, ToolkitInstance(), nullptr);
        if (!hwnd) throw Exception(std::string("Cannot create a window of class ") + params.WindowClass);
        m_hwnd = hwnd;
        m_classProc = binding::Subclass(hwnd, SubclassProc, this);
        m_subclassed = true;
    } else {
        m_subclassed = false;
        binding::AcquireOwnClass(OwnClassProc);
        hwnd = ::CreateWindowExA(params.ExStyle, binding::OwnClassName(), text.c_str(), style, Left(), Top(),
                                 Width(), Height(), parent, nullptr, ToolkitInstance(), this);
        if (!hwnd) {
            binding::ReleaseOwnClass();
            throw Exception("Cannot create a window");
        }
    }
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
    if (TForm* form = ParentForm()) form->Hints().WindowCreated(*this);
}

// From here on the window's messages no longer reach this object.
void TWinControl::Unbind()
{
    if (!m_hwnd) return;
    if (m_subclassed) binding::Unsubclass(m_hwnd, SubclassProc, m_classProc);
    else binding::BindOwnClass(m_hwnd, nullptr);
    m_hwnd = nullptr;
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
// to the standard report and never unwinds into Windows. The object may destroy itself
// while handling a message, so nothing here touches it afterwards.
LRESULT TWinControl::Dispatch(TWinControl* self, HWND, UINT msg, WPARAM wp, LPARAM lp)
{
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
    if (IsMouseMessage(m.Msg))
        if (TForm* form = ParentForm()) form->Hints().Relay(m_hwnd, m);
    switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TControl::WndProc(m);
        return;
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
        if (HandleKeys(m)) return;
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
    case WM_WINDOWPOSCHANGED: {
        DefaultHandler(m);
        RECT r;
        ::GetWindowRect(m_hwnd, &r);
        if (HWND parent = ::GetParent(m_hwnd); parent && (::GetWindowLongA(m_hwnd, GWL_STYLE) & WS_CHILD))
            ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
        StoreBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        return;
    }
    case WM_SIZE:
        DefaultHandler(m);
        AlignControls();
        return;
    case WM_NCDESTROY: {
        DefaultHandler(m);
        // The window's last message: nothing needs unbinding from a window that is gone.
        m_hwnd = nullptr;
        if (!m_subclassed) binding::ReleaseOwnClass();
        return;
    }
    default:
        break;
    }
    DefaultHandler(m);
}

TControl* TWinControl::ControlAtPos(POINT pt) const
{
    return m_windowless.At(pt);
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
    if (TForm* form = ParentForm()) form->Hints().Remove(*control);
    m_windowless.Remove(control);
    m_controls.erase(std::remove(m_controls.begin(), m_controls.end(), control), m_controls.end());
}

void TWinControl::SetParent(TWinControl* parent)
{
    TControl::SetParent(parent);
    if (!parent && m_hwnd && (::GetWindowLongA(m_hwnd, GWL_STYLE) & WS_CHILD)) ::ShowWindow(m_hwnd, SW_HIDE);
}

// A window moves once, and only when its place changes. Windows redraws what the move
// uncovers and reports the place back (WM_WINDOWPOSCHANGED); a window without a handle
// realigns its children at once, one with a handle on WM_SIZE.
void TWinControl::UpdateBounds(int left, int top, int width, int height)
{
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    const bool resized = width != Width() || height != Height();
    StoreBounds(left, top, width, height);
    if (!m_hwnd) {
        if (resized) AlignControls();
        return;
    }
    ::SetWindowPos(m_hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // Our own windows paint from their size (a centred caption, a bevel) and have no
    // class style that redraws them whole.
    if (resized && !m_subclassed) ::InvalidateRect(m_hwnd, nullptr, TRUE);
}

int TWinControl::ClientWidth() const
{
    if (!m_hwnd) return Width();
    RECT r;
    ::GetClientRect(m_hwnd, &r);
    return r.right;
}

int TWinControl::ClientHeight() const
{
    if (!m_hwnd) return Height();
    RECT r;
    ::GetClientRect(m_hwnd, &r);
    return r.bottom;
}

// What the window's border and caption take from its size, as the window will be made.
SIZE TWinControl::FrameSize() const
{
    const TCreateParams params = CreateParams();
    RECT r{0, 0, 0, 0};
    ::AdjustWindowRectEx(&r, params.Style, FALSE, params.ExStyle);
    return {r.right - r.left, r.bottom - r.top};
}

bool TWinControl::Enabled() const
{
    return m_hwnd ? ::IsWindowEnabled(m_hwnd) != FALSE : TControl::Enabled();
}

void TWinControl::SetEnabled(bool enabled)
{
    TControl::SetEnabled(enabled);
    if (m_hwnd) ::EnableWindow(m_hwnd, enabled);
}

bool TWinControl::Visible() const
{
    return m_hwnd ? (::GetWindowLongA(m_hwnd, GWL_STYLE) & WS_VISIBLE) != 0 : TControl::Visible();
}

// The window shows or hides itself and whatever it uncovers; nothing else needs a redraw.
void TWinControl::SetVisible(bool visible)
{
    if (visible == TControl::Visible() && (!m_hwnd || visible == Visible())) return;
    // The window first: Visible() reads it when the parent re-aligns its children.
    if (m_hwnd) ::ShowWindow(m_hwnd, !visible ? SW_HIDE : Parent() ? SW_SHOWNOACTIVATE : SW_SHOW);
    m_visible = visible;
    if (Parent() && Align() != TAlign::alNone) Parent()->AlignControls();
}

std::string TWinControl::Text() const
{
    if (!m_hwnd) return TControl::Text();
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(m_hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(m_hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TWinControl::SetText(const std::string& text)
{
    if (!m_hwnd) {
        TControl::SetText(text);
        return;
    }
    // The window redraws its own text.
    m_text = text;
    if (Text() != text) ::SetWindowTextA(m_hwnd, text.c_str());
}

void TWinControl::SetCtl3D(bool ctl3D)
{
    m_parentCtl3D = false;
    ApplyCtl3D(ctl3D);
}

void TWinControl::SetParentCtl3D(bool parentCtl3D)
{
    m_parentCtl3D = parentCtl3D;
    if (parentCtl3D && Parent()) ApplyCtl3D(Parent()->Ctl3D());
}

void TWinControl::ParentCtl3DChanged(bool ctl3D)
{
    if (m_parentCtl3D) ApplyCtl3D(ctl3D);
}

// The children that take their parent's setting follow it.
void TWinControl::ApplyCtl3D(bool ctl3D)
{
    if (ctl3D == m_ctl3D || !StyleChangeable()) return;
    m_ctl3D = ctl3D;
    for (TControl* c : m_controls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->ParentCtl3DChanged(ctl3D);
}

bool TWinControl::StyleChangeable() const
{
    assert(!m_hwnd && "a style changes only before the window is made");
    return !m_hwnd;
}

void TWinControl::SetTabStop(bool tabStop)
{
    m_tabStop = tabStop;
}

void TWinControl::SetFocus()
{
    if (m_hwnd) ::SetFocus(m_hwnd);
}

void TWinControl::ScaleBy(int multiplier, int divisor)
{
    const ChildLayout::ScalingScope scaling(m_layout);
    ScaleSelf(multiplier, divisor);
    m_layout.ScaleChildren(multiplier, divisor);
}

void TWinControl::Invalidate()
{
    if (m_hwnd) ::InvalidateRect(m_hwnd, nullptr, TRUE);
}

HBRUSH TWinControl::CtlColor(HDC dc)
{
    ::SetTextColor(dc, ColorToRGB(Font().Color()));
    ::SetBkColor(dc, ColorToRGB(Color()));
    if (!m_brush) m_brush.reset(::CreateSolidBrush(ColorToRGB(Color())));
    return m_brush.get();
}

void TWinControl::PaintBackground(HDC dc, const RECT& area)
{
    if (!m_brush) m_brush.reset(::CreateSolidBrush(ColorToRGB(Color())));
    ::FillRect(dc, &area, m_brush.get());
}

void TWinControl::FontChanged()
{
    if (m_hwnd) ::SendMessageA(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
    for (TControl* c : m_controls) c->ParentFontChanged(Font());
    Invalidate();
}

void TWinControl::ColorChanged()
{
    m_brush.reset();
    for (TControl* c : m_controls) c->ParentColorChanged(Color());
    Invalidate();
}

} // namespace tk
