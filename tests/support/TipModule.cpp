#include "tests/support/TipModule.h"
#include "host/script/WindowLookup.h"
#include "tests/support/Pump.h"

#include <commctrl.h>
#include <stdexcept>

namespace ts {

SIZE TipWindowSize(SIZE client)
{
    RECT r{0, 0, client.cx, client.cy};
    ::AdjustWindowRectEx(&r, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, FALSE, WS_EX_CONTROLPARENT);
    return {r.right - r.left, r.bottom - r.top};
}

TipModule::TipModule()
{
    m_library = ::LoadLibraryA("Tipp211.dll");
    if (!m_library) throw std::runtime_error("Tipp211.dll does not load");
    if (!m_api.Bind(m_library)) throw std::runtime_error("Tipp211.dll lacks an export");
}

TipModule::~TipModule() { Unload(); }

void TipModule::Unload()
{
    if (m_library) ::FreeLibrary(m_library);
    m_library = nullptr;
}

int TipModule::Create(const CreateArgs& a)
{
    return m_api.Create(a.left, a.top, a.width, a.height, a.osType, a.language, a.caption, a.hint, a.osMask, a.tippNr);
}

std::vector<HWND> TipModule::Windows() const
{
    std::vector<HWND> found;
    for (HWND window : Host::ThreadWindows())
        if (Host::ClassOf(window) == "TkWindow" &&
            reinterpret_cast<HMODULE>(::GetWindowLongPtrA(window, GWLP_HINSTANCE)) == m_library)
            found.push_back(window);
    return found;
}

HWND TipModule::Window() const
{
    const std::vector<HWND> windows = Windows();
    return windows.size() == 1 ? windows.front() : nullptr;
}

HWND TipModule::Child(const TipControl& control) const
{
    HWND parent = Window();
    return parent && control.windowClass ? Host::ChildAt(parent, control.windowClass, control.left, control.top)
                                         : nullptr;
}

std::string WindowText(HWND window)
{
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

LOGFONTA FontOf(HWND window)
{
    LOGFONTA lf{};
    auto font = reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0));
    if (font) ::GetObjectA(font, sizeof lf, &lf);
    return lf;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    return children;
}

std::vector<HWND> ChildrenOn(HWND parent, const char* windowClass, RECT place)
{
    std::vector<HWND> found;
    for (HWND child : Children(parent)) {
        const RECT r = Host::ChildRect(child);
        if (::EqualRect(&r, &place) && lstrcmpiA(Host::ClassOf(child).c_str(), windowClass) == 0)
            found.push_back(child);
    }
    return found;
}

void Click(HWND window, POINT at)
{
    ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    PumpMessages();
}

std::string LibraryHelpText(int tippNr, int kind)
{
    using HelpTextFn = const char*(__stdcall*)(int, int);
    HMODULE library = ::GetModuleHandleA("SorvHelp.dll");
    if (!library) throw std::runtime_error("SorvHelp.dll is not loaded");
    auto fn = reinterpret_cast<HelpTextFn>(reinterpret_cast<void*>(::GetProcAddress(library, "GetHelpText")));
    const char* text = fn ? fn(tippNr, kind) : nullptr;
    return text ? text : "";
}

Memos FindMemos(HWND tipWindow, int tippNr)
{
    Memos memos;
    const std::string german = LibraryHelpText(tippNr, 2), english = LibraryHelpText(tippNr, 4);
    for (HWND memo : ChildrenOn(tipWindow, tip::kMemoGerman.windowClass, tip::kMemoGerman.Rect())) {
        const std::string text = WindowText(memo);
        if (text == german) memos.german = memo;
        if (text == english) memos.english = memo;
    }
    return memos;
}

HWND TooltipOf(HWND owner)
{
    for (HWND window : Host::ThreadWindows())
        if (lstrcmpiA(Host::ClassOf(window).c_str(), TOOLTIPS_CLASSA) == 0 && ::GetWindow(window, GW_OWNER) == owner)
            return window;
    return nullptr;
}

std::vector<Tool> ToolsOf(HWND tooltip)
{
    std::vector<Tool> tools;
    const auto count = static_cast<int>(::SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        TOOLINFOA ti{};
        ti.cbSize = TTTOOLINFOA_V2_SIZE;
        ti.lpszText = text;
        if (!::SendMessageA(tooltip, TTM_ENUMTOOLSA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&ti))) continue;
        text[0] = '\0';
        ti.lpszText = text;
        ::SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
        tools.push_back({ti.rect, text});
    }
    return tools;
}

} // namespace ts
