#include "toolkit/window/Hints.h"
#include "toolkit/base/Application.h"
#include "toolkit/window/GraphicControl.h"
#include "toolkit/window/WinControl.h"

#include <windowsx.h>

namespace tk {

namespace {

// Whether the windows a control's tool names exist: its parent's, and a windowed
// control's own.
bool HasWindows(const TControl& control)
{
    if (!control.Parent() || !control.Parent()->HandleAllocated()) return false;
    const auto* w = dynamic_cast<const TWinControl*>(&control);
    return !w || w->HandleAllocated();
}

// A windowed control's tool is its window; a windowless one's a rectangle of its parent.
TOOLINFOA ToolOf(TControl& control)
{
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = control.Parent()->Handle();
    if (auto* w = dynamic_cast<TWinControl*>(&control)) {
        ti.uFlags = TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(w->Handle());
    } else {
        ti.uId = reinterpret_cast<UINT_PTR>(&control);
        ti.rect = control.BoundsRect();
    }
    ti.lpszText = LPSTR_TEXTCALLBACKA;
    return ti;
}

bool WantsTool(const TControl& control) { return control.ShowHint() && !control.Hint().empty(); }

} // namespace

HWND FormHints::Tooltip()
{
    if (!m_tooltip && m_form.HandleAllocated()) {
        m_tooltip.reset(::CreateWindowExA(
            WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_form.Handle(), nullptr, ToolkitInstance(), nullptr));
    }
    return m_tooltip.get();
}

void FormHints::Update(TControl& control)
{
    if (!HasWindows(control)) return;
    HWND tip = Tooltip();
    if (!tip) return;
    TOOLINFOA ti = ToolOf(control);
    ::SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    if (WantsTool(control)) ::SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void FormHints::Remove(TControl& control)
{
    if (!m_tooltip || !HasWindows(control)) return;
    TOOLINFOA ti = ToolOf(control);
    ::SendMessageA(m_tooltip.get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void FormHints::WindowCreated(TWinControl& window)
{
    if (WantsTool(window)) Update(window);
    for (TControl* c : window.Controls())
        if (dynamic_cast<TGraphicControl*>(c) && WantsTool(*c)) Update(*c);
}

void FormHints::Relay(HWND hwnd, const TMessage& m)
{
    if (!m_tooltip) return;
    const DWORD pos = ::GetMessagePos();
    MSG msg{hwnd,
            m.Msg,
            m.WParam,
            m.LParam,
            static_cast<DWORD>(::GetMessageTime()),
            {GET_X_LPARAM(pos), GET_Y_LPARAM(pos)}};
    ::SendMessageA(m_tooltip.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

bool FormHints::AnswerTextRequest(const TWinControl& parent, const TMessage& m)
{
    if (m.Msg != WM_NOTIFY || reinterpret_cast<NMHDR*>(m.LParam)->code != TTN_GETDISPINFOA) return false;
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(m.LParam);
    const UINT_PTR id = info->hdr.idFrom;
    for (TControl* c : parent.Controls()) {
        auto* w = dynamic_cast<TWinControl*>(c);
        const bool match = (info->uFlags & TTF_IDISHWND)
                               ? (w && w->HandleAllocated() && reinterpret_cast<UINT_PTR>(w->Handle()) == id)
                               : reinterpret_cast<UINT_PTR>(c) == id;
        if (match) info->lpszText = const_cast<char*>(c->Hint().c_str());
    }
    return true;
}

} // namespace tk
