#include "toolkit/forms/Form.h"
#include "toolkit/base/Application.h"
#include "toolkit/system/ErrorReport.h"
#include "toolkit/base/ClassInfo.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/forms/StoredLayout.h"
#include "toolkit/widgets/PopupMenu.h"
#include "toolkit/window/WindowFrame.h"

#include <windowsx.h>

namespace tk {

const TClassInfo& TForm::StaticClass()
{
    static const TClassInfo& info =
        TClassInfo::Define("TForm", &TWinControl::StaticClass(), nullptr, [](TClassInfo& c) {
            c.Text("Caption", &TForm::SetCaption);
            c.Integer("ClientWidth", &TForm::SetClientWidth);
            c.Integer("ClientHeight", &TForm::SetClientHeight);
            c.Property("BorderStyle", [](TComponent& f, const LayoutValue& v, LayoutReader& r) {
                static const std::map<std::string, int, NoCaseLess> names{
                    {"bsNone", 0}, {"bsSingle", 1}, {"bsSizeable", 2}, {"bsDialog", 3}};
                dynamic_cast<TForm&>(f).SetBorderStyle(static_cast<TBorderStyle>(r.AsEnum(v, names)));
            });
            c.Property("BorderIcons", [](TComponent& f, const LayoutValue& v, LayoutReader& r) {
                static const std::map<std::string, unsigned, NoCaseLess> names{
                    {"biSystemMenu", biSystemMenu}, {"biMinimize", biMinimize}, {"biMaximize", biMaximize}};
                dynamic_cast<TForm&>(f).SetBorderIcons(r.AsSet(v, names));
            });
            c.Reference("PopupMenu", &TForm::SetPopupMenu);
            c.Property("Icon", [](TComponent& f, const LayoutValue& v, LayoutReader& r) {
                if (v.kind != LayoutValue::Kind::Resource) r.Fail("expected @ICON", v.text);
                HICON icon = static_cast<HICON>(
                    ::LoadImageA(ToolkitInstance(), v.text.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
                if (!icon) r.Fail("unknown icon resource", v.text);
                dynamic_cast<TForm&>(f).SetIcon(UniqueIcon(icon));
            });
            // The design resolution and creation order a layout records; windows are built
            // at the resolution of the screen they run on and always run OnCreate last.
            c.Property("PixelsPerInch", [](TComponent&, const LayoutValue& v, LayoutReader& r) { r.AsInteger(v); });
            c.Property("TextHeight", [](TComponent&, const LayoutValue& v, LayoutReader& r) { r.AsInteger(v); });
            c.Property("OldCreateOrder", [](TComponent&, const LayoutValue& v, LayoutReader& r) { r.AsBoolean(v); });
            c.Event("OnCreate", &TForm::OnCreate);
            c.Event("OnShow", &TForm::OnShow);
            c.Event("OnDestroy", &TForm::OnDestroy);
        });
    return info;
}

TForm::TForm(TComponent* owner) : TWinControl(owner)
{
    SetVisible(false);
    SetParentFont(false);
    SetParentColor(false);
}

TForm::~TForm()
{
    DestroyWindows();
    DestroyComponents();
}

void TForm::DestroyWindows()
{
    if (m_ended) return;
    m_ended = true;
    Destroying();
    if (OnDestroy) Guarded([this] { OnDestroy(this); });
    // One DestroyWindow for everything: Windows destroys the child windows and the
    // tooltip, which this window owns, with it. The controls then go without windows.
    m_hints.ForgetTooltip();
    DestroyHandle();
}

void TForm::Release()
{
    if (m_ended) return;
    DestroyWindows();
    HandlerScope::Free(this);
}

void TForm::InitializeForm()
{
    ForgetWindowFrameSizes();
    StoredLayout::LoadInheritedLayouts(*this);
    ClassType().BindFields(*this);
    // The windows are made once the layouts have placed and styled everything, each with
    // its final place, and before the creation event, which works with them.
    HandleNeeded();
    DoCreate();
}

void TForm::DoCreate()
{
    if (OnCreate) Guarded([this] { OnCreate(this); });
}

TCreateParams TForm::CreateParams() const
{
    DWORD style = WS_OVERLAPPED | WS_CLIPCHILDREN;
    switch (m_borderStyle) {
    case TBorderStyle::bsNone: style |= WS_POPUP; break;
    case TBorderStyle::bsSingle: style |= WS_CAPTION; break;
    case TBorderStyle::bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case TBorderStyle::bsDialog: style |= WS_CAPTION | WS_DLGFRAME; break;
    }
    if (m_borderStyle != TBorderStyle::bsNone) {
        if (m_borderIcons & biSystemMenu) style |= WS_SYSMENU;
        if (m_borderIcons & biMinimize) style |= WS_MINIMIZEBOX;
        if (m_borderIcons & biMaximize) style |= WS_MAXIMIZEBOX;
    }
    return {nullptr, style, WS_EX_CONTROLPARENT};
}

void TForm::ApplyWindowStyle(int clientWidth, int clientHeight)
{
    const SIZE frame = WindowFrame();
    SetBounds(Left(), Top(), clientWidth + frame.cx, clientHeight + frame.cy);
}

// What caption and border take from the window's size: the window's own styles once it
// exists, those it will be made with before.
SIZE TForm::WindowFrame() const
{
    if (!HandleAllocated()) return FrameSize();
    return WindowFrameSize(::GetWindowLongA(Handle(), GWL_STYLE), ::GetWindowLongA(Handle(), GWL_EXSTYLE));
}

int TForm::ClientWidth() const { return HandleAllocated() ? TWinControl::ClientWidth() : Width() - FrameSize().cx; }

int TForm::ClientHeight() const { return HandleAllocated() ? TWinControl::ClientHeight() : Height() - FrameSize().cy; }

void TForm::SetClientWidth(int width) { SetBounds(Left(), Top(), width + WindowFrame().cx, Height()); }

void TForm::SetClientHeight(int height) { SetBounds(Left(), Top(), Width(), height + WindowFrame().cy); }

void TForm::SetBorderStyle(TBorderStyle style)
{
    if (style == m_borderStyle || !StyleChangeable()) return;
    const int cw = ClientWidth(), ch = ClientHeight();
    m_borderStyle = style;
    ApplyWindowStyle(cw, ch);
}

void TForm::SetBorderIcons(TBorderIcons icons)
{
    if (icons == m_borderIcons || !StyleChangeable()) return;
    const int cw = ClientWidth(), ch = ClientHeight();
    m_borderIcons = icons;
    ApplyWindowStyle(cw, ch);
}

void TForm::SetPopupMenu(TPopupMenu* menu)
{
    m_popupMenu = menu;
    if (menu) menu->FreeNotification(this);
}

void TForm::SetIcon(UniqueIcon icon)
{
    m_icon = std::move(icon);
    if (HandleAllocated()) SendIcon();
}

void TForm::SendIcon()
{
    ::SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon.get()));
    ::SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon.get()));
}

// The tooltip comes with the window, so that a window whose tooltip cannot be made fails
// as a whole, as when any of its windows cannot be made.
void TForm::WindowCreated()
{
    if (!m_hints.Tooltip()) throw Exception("Cannot create the window's tooltip");
    TWinControl::WindowCreated();
    if (m_icon) SendIcon();
}

// One ShowWindow both shows and activates the window, which brings it to the front; a
// window that is shown already is only brought to the front.
void TForm::Show()
{
    if (IsDestroying()) return;
    HandleNeeded();
    if (Visible()) ::BringWindowToTop(Handle());
    else SetVisible(true);
    ::SetForegroundWindow(Handle());
}

void TForm::Close() { Hide(); }

void TForm::Repaint()
{
    if (HandleAllocated())
        ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TForm::ScaleSelf(int multiplier, int divisor)
{
    const int cw = ClientWidth(), ch = ClientHeight();
    Font().SetHeight(::MulDiv(Font().Height(), multiplier, divisor));
    SetClientWidth(::MulDiv(cw, multiplier, divisor));
    SetClientHeight(::MulDiv(ch, multiplier, divisor));
}

void TForm::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_SHOWWINDOW:
        DefaultHandler(m);
        if (m.WParam && OnShow) OnShow(this);
        return;
    case WM_CLOSE: Close(); return;
    case WM_SETTINGCHANGE: // the caption's and borders' sizes may be others now
        ForgetWindowFrameSizes();
        break;
    case WM_CONTEXTMENU:
        if (m_popupMenu) {
            POINT pt{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
            if (pt.x == -1 && pt.y == -1) { // from the keyboard: open at the window's corner
                pt = {0, 0};
                ::ClientToScreen(Handle(), &pt);
            }
            m_popupMenu->Popup(pt.x, pt.y, Handle());
            return;
        }
        break;
    default: break;
    }
    TWinControl::WndProc(m);
}

void TForm::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_popupMenu) m_popupMenu = nullptr;
}

} // namespace tk
