#include "tests/support/TipModule.h"
#include "host/WindowLookup.h"
#include "tests/support/Pump.h"

#include <commctrl.h>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace ts {

SIZE TipWindowSize(int clientWidth, int clientHeight)
{
    RECT r{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&r, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, FALSE, WS_EX_CONTROLPARENT);
    return {r.right - r.left, r.bottom - r.top};
}

TipModule::TipModule()
{
    m_library = ::LoadLibraryA("Tipp211.dll");
    if (!m_library) throw std::runtime_error("Tipp211.dll does not load");
    if (!m_api.Bind(m_library)) throw std::runtime_error("Tipp211.dll lacks an export");
}

TipModule::~TipModule()
{
    Unload();
}

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

HWND TipModule::Child(const char* windowClass, int left, int top) const
{
    HWND parent = Window();
    return parent ? Host::ChildAt(parent, windowClass, left, top) : nullptr;
}

std::string WindowText(HWND window)
{
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Click(HWND window, int x, int y)
{
    ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpMessages();
}

void ClickButton(HWND tipWindow, CommandButton button)
{
    static const POINT centres[] = {{34, 399}, {74, 399}, {218, 399}, {258, 399}};
    const POINT at = centres[static_cast<int>(button)];
    Click(tipWindow, at.x, at.y);
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
        if (!::SendMessageA(tooltip, TTM_ENUMTOOLSA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&ti)))
            continue;
        text[0] = '\0';
        ti.lpszText = text;
        ::SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
        tools.push_back({ti.rect, text});
    }
    return tools;
}

DWORD RunChildProcess(const std::string& gtestFilter, const char* variable, const char* value, DWORD timeoutMs)
{
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string command = std::string("\"") + exe + "\" --gtest_filter=" + gtestFilter;
    ::SetEnvironmentVariableA(variable, value);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    si.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi{};
    std::fflush(stdout);
    const BOOL started =
        ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    ::SetEnvironmentVariableA(variable, nullptr);
    if (!started) return kChildNotStarted;
    if (::WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_TIMEOUT) {
        ::TerminateProcess(pi.hProcess, kChildTimedOut);
        ::WaitForSingleObject(pi.hProcess, 5000);
    }
    DWORD code = kChildNotStarted;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return code;
}

WineVersionOverride::WineVersionOverride(const char* version)
{
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string name = exe;
    name.erase(0, name.find_last_of("\\/") + 1);
    m_key = "Software\\Wine\\AppDefaults\\" + name;
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, m_key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        ::RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                         static_cast<DWORD>(std::strlen(version) + 1));
        ::RegCloseKey(key);
    }
}

WineVersionOverride::~WineVersionOverride()
{
    ::RegDeleteKeyA(HKEY_CURRENT_USER, m_key.c_str());
}

} // namespace ts
