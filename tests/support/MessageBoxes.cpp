#include "tests/support/MessageBoxes.h"

#include <algorithm>
#include <iterator>
#include <mutex>
#include <utility>

namespace ts {
namespace {

// Recorders alive now, the newest last. Fake picks the one of the module that called it,
// so recorders of different modules can live side by side.
std::mutex g_mutex;
std::vector<MessageBoxRecorder*> g_recorders;

using MessageBoxAFn = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);

// Referencing MessageBoxA makes every program that uses a recorder import it, so a
// recorder on the test program itself always finds the slot it patches.
[[gnu::used]] MessageBoxAFn const g_forceImport = &MessageBoxA;

MessageBoxAFn RealMessageBoxA()
{
    return reinterpret_cast<MessageBoxAFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "MessageBoxA")));
}

// The box being made by the real call, until the hook below finds it.
struct Showing {
    MessageBoxRecorder* recorder;
    const MessageBoxRecorder::Box* box;
    HHOOK hook = nullptr;
    WNDPROC boxProc = nullptr;
};
thread_local Showing* g_showing = nullptr;
const UINT g_runMessage = ::RegisterWindowMessageA("ts.MessageBoxRecorder.run");
constexpr char kShowingProperty[] = "ts.MessageBoxRecorder.showing";

// The box's window procedure in front of the dialog's own: the message posted when the box
// was made comes out of the box's modal loop, runs the test's action and answers.
LRESULT CALLBACK BoxProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* showing = static_cast<Showing*>(::GetPropA(window, kShowingProperty));
    if (msg == g_runMessage && showing) {
        if (showing->recorder->OnBox) showing->recorder->OnBox(*showing->box, window);
        if (::IsWindow(window)) ::EndDialog(window, showing->box->answer);
        return 0;
    }
    if (!showing) return ::DefDlgProcA(window, msg, wp, lp);
    const WNDPROC boxProc = showing->boxProc;
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(boxProc));
        ::RemovePropA(window, kShowingProperty);
    }
    return ::CallWindowProcA(boxProc, window, msg, wp, lp);
}

// The first dialog window made after the hook is set is the box of the real call.
LRESULT CALLBACK FindBox(int code, WPARAM wp, LPARAM lp)
{
    Showing* showing = g_showing;
    if (code == HCBT_CREATEWND && showing && showing->hook) {
        const auto window = reinterpret_cast<HWND>(wp);
        char name[16] = {};
        ::GetClassNameA(window, name, sizeof name);
        if (std::string(name) == "#32770") {
            const HHOOK hook = std::exchange(showing->hook, nullptr);
            ::UnhookWindowsHookEx(hook);
            ::SetPropA(window, kShowingProperty, showing);
            showing->boxProc = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BoxProc)));
            ::PostMessageA(window, g_runMessage, 0, 0);
            return 0;
        }
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

HMODULE ModuleOf(void* address)
{
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         static_cast<LPCSTR>(address), &module);
    return module;
}

} // namespace

int DefaultButton(UINT flags)
{
    static const int buttons[][3] = {
        {IDOK, IDOK, IDOK},                 // MB_OK
        {IDOK, IDCANCEL, IDCANCEL},         // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE},       // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},            // MB_YESNOCANCEL
        {IDYES, IDNO, IDNO},                // MB_YESNO
        {IDRETRY, IDCANCEL, IDCANCEL},      // MB_RETRYCANCEL
        {IDCANCEL, IDTRYAGAIN, IDCONTINUE}, // MB_CANCELTRYCONTINUE
    };
    const UINT type = flags & MB_TYPEMASK;
    const UINT index = (flags & MB_DEFMASK) >> 8; // MB_DEFBUTTON1..3 are 0x000, 0x100, 0x200
    if (type >= std::size(buttons)) return IDOK;
    return buttons[type][std::min<UINT>(index, 2)];
}

MessageBoxRecorder::MessageBoxRecorder(HMODULE importer)
    : m_importer(importer),
      m_patch(importer, "user32.dll", "MessageBoxA", reinterpret_cast<void*>(&MessageBoxRecorder::Fake))
{
    std::lock_guard lock(g_mutex);
    g_recorders.push_back(this);
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    std::lock_guard lock(g_mutex);
    g_recorders.erase(std::find(g_recorders.begin(), g_recorders.end(), this));
}

void MessageBoxRecorder::SetAnswer(int answer)
{
    std::lock_guard lock(g_mutex);
    m_answer = answer;
}

std::vector<std::string> MessageBoxRecorder::Texts() const
{
    std::lock_guard lock(g_mutex);
    std::vector<std::string> texts;
    for (const Box& box : m_boxes) texts.push_back(box.text);
    return texts;
}

void MessageBoxRecorder::Clear()
{
    std::lock_guard lock(g_mutex);
    m_boxes.clear();
    m_mostOpen = m_open;
}

int MessageBoxRecorder::Show(const Box& box)
{
    Showing showing{this, &box};
    Showing* const outer = std::exchange(g_showing, &showing);
    showing.hook = ::SetWindowsHookExA(WH_CBT, &FindBox, nullptr, ::GetCurrentThreadId());
    m_mostOpen = std::max(m_mostOpen, ++m_open);
    const int result = RealMessageBoxA()(box.owner, box.text.c_str(), box.caption.c_str(), box.flags);
    --m_open;
    if (showing.hook) ::UnhookWindowsHookEx(showing.hook);
    g_showing = outer;
    return result;
}

int MessageBoxRecorder::Record(HWND owner, LPCSTR text, LPCSTR caption, UINT flags)
{
    const int answer = m_answer != 0 ? m_answer : DefaultButton(flags);
    m_boxes.push_back({owner, text ? text : "", caption ? caption : "", flags, answer});
    return answer;
}

int WINAPI MessageBoxRecorder::Fake(HWND owner, LPCSTR text, LPCSTR caption, UINT flags)
{
    const HMODULE caller = ModuleOf(__builtin_return_address(0));
    MessageBoxRecorder* target = nullptr;
    int answer = 0;
    {
        std::lock_guard lock(g_mutex);
        auto it = std::find_if(g_recorders.rbegin(), g_recorders.rend(),
                               [caller](const MessageBoxRecorder* r) { return r->m_importer == caller; });
        target = it != g_recorders.rend() ? *it : g_recorders.empty() ? nullptr : g_recorders.back();
        if (target) answer = target->Record(owner, text, caption, flags);
    }
    if (target) {
        // Outside the lock: what the test does inside the box may show further boxes.
        const Box box{owner, text ? text : "", caption ? caption : "", flags, answer};
        return target->Show(box);
    }
    // Only reachable while a recorder is being torn down: behave like the real call.
    return RealMessageBoxA()(owner, text, caption, flags);
}

} // namespace ts
