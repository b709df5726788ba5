#include "tests/support/MessageParty.h"
#include "contract/HostMessage.h"

#include <stdexcept>

namespace ts {
namespace {

constexpr char kClassName[] = "KelvamoTestParty";

void RegisterPartyClass(WNDPROC proc)
{
    static const ATOM atom = [proc] {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kClassName;
        return ::RegisterClassExA(&wc);
    }();
    if (!atom) throw std::runtime_error("the party's window class does not register");
}

struct ZOrderSearch {
    HWND window;
    int index = 0;
    int found = -1;
};

BOOL CALLBACK FindInZOrder(HWND hwnd, LPARAM lp)
{
    auto* s = reinterpret_cast<ZOrderSearch*>(lp);
    if (hwnd == s->window) {
        s->found = s->index;
        return FALSE;
    }
    ++s->index;
    return TRUE;
}

} // namespace

MessageParty::MessageParty(DWORD style, DWORD exStyle)
{
    RegisterPartyClass(&MessageParty::WindowProc);
    m_messageId = ::RegisterWindowMessageA(HostMessage::kName);
    if (!m_messageId) throw std::runtime_error("\"Kelvamo\" does not register");
    m_window = ::CreateWindowExA(exStyle, kClassName, "Kelvamo party", style & ~WS_VISIBLE, 10, 10, 200, 150, nullptr,
                                 nullptr, ::GetModuleHandleA(nullptr), this);
    if (!m_window) throw std::runtime_error("the party's window is not created");
}

MessageParty::~MessageParty()
{
    if (m_window) ::DestroyWindow(m_window);
}

LRESULT CALLBACK MessageParty::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<MessageParty*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && msg == self->m_messageId) {
        self->m_received.push_back({wp, lp});
        if (self->OnReceive) self->OnReceive(self->m_received.back());
        return 0;
    }
    if (msg == WM_NCDESTROY) ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    return ::DefWindowProcA(hwnd, msg, wp, lp);
}

void MessageParty::Broadcast(WPARAM command, LPARAM value) const
{
    ::SendMessageA(HWND_BROADCAST, m_messageId, command, value);
}

void MessageParty::PlaceBelow(HWND window) const
{
    ::SetWindowPos(m_window, window, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MessageParty::ShowInFront() const
{
    ::ShowWindow(m_window, SW_SHOW);
    ::SetForegroundWindow(m_window);
    ::BringWindowToTop(m_window);
}

int ZOrderIndex(HWND window)
{
    ZOrderSearch search{window};
    ::EnumWindows(FindInZOrder, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace ts
