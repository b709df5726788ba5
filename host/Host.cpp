// The host program: loads a tip module, shows its tip window beside a small control window
// and drives it the way the host application does, through the five exports and the
// broadcast window message.
//
//   host.exe [--module Tipp211.dll] [--language 0|1] [--ostype N] [--osmask M] [--tipp N]
#include "host/ModuleApi.h"
#include "template/HostMessage.h"

#include <cstdlib>
#include <string>

namespace {

struct Options {
    std::string module = "Tipp211.dll";
    int language = 0;
    int osType = 13;       // Windows XP
    int osMask = 0x1FFF;   // every listed system
    int tippNr = 211;
};

Options ParseOptions(int argc, char** argv)
{
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const char* value = argv[i + 1];
        if (key == "--module") o.module = value;
        else if (key == "--language") o.language = std::atoi(value);
        else if (key == "--ostype") o.osType = std::atoi(value);
        else if (key == "--osmask") o.osMask = static_cast<int>(std::strtoul(value, nullptr, 0));
        else if (key == "--tipp") o.tippNr = std::atoi(value);
    }
    return o;
}

enum Command { kSave = 1, kState, kSwitch, kClose };

ModuleApi::Module g_module;
UINT g_message = 0;
HWND g_status = nullptr;

void ShowState(const char* prefix)
{
    const std::string text = std::string(prefix) + "  ModulChanged=" + std::to_string(g_module.Changed()) +
                             "  ModulNr=" + std::to_string(g_module.Nr());
    ::SetWindowTextA(g_status, text.c_str());
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == g_message && g_message != 0) {
        if (wp == HostMessage::kSaved) ShowState(lp == 1 ? "Saved (defaults restored)." : "Saved.");
        return 0;
    }
    switch (msg) {
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case kSave: {
            ModuleApi::Failure failure;
            g_module.SaveChanges(failure);
            if (failure.raised) ::MessageBoxA(hwnd, failure.text.c_str(), "Tip module", MB_OK | MB_ICONSTOP);
            ShowState("After save:");
            break;
        }
        case kState: ShowState("State:"); break;
        case kSwitch: ::SendMessageA(HWND_BROADCAST, g_message, HostMessage::kShow, 0); break;
        case kClose: ::DestroyWindow(hwnd); break;
        }
        return 0;
    case WM_DESTROY:
        g_module.Free();
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(hwnd, msg, wp, lp);
    }
}

HWND CreateHostWindow(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "TipHost";
    ::RegisterClassA(&wc);
    HWND hwnd = ::CreateWindowA("TipHost", "Tip host", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                20, 20, 300, 200, nullptr, nullptr, instance, nullptr);
    const struct { int id; const char* text; int y; } buttons[] = {
        {kSave, "Save (ModulSaveChanges)", 10}, {kState, "Show state", 40},
        {kSwitch, "Show tip window (200)", 70}, {kClose, "Close", 100}};
    for (const auto& b : buttons)
        ::CreateWindowA("BUTTON", b.text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, b.y, 270, 26, hwnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), instance, nullptr);
    g_status = ::CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 10, 134, 270, 30, hwnd, nullptr, instance, nullptr);
    return hwnd;
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = ParseOptions(argc, argv);
    g_message = ::RegisterWindowMessageA(HostMessage::kName);

    HMODULE library = ::LoadLibraryA(options.module.c_str());
    if (!library || !g_module.Bind(library)) {
        ::MessageBoxA(nullptr, ("Cannot load the tip module " + options.module).c_str(), "Tip host", MB_OK | MB_ICONSTOP);
        if (library) ::FreeLibrary(library);
        return 1;
    }

    HWND host = CreateHostWindow(::GetModuleHandleA(nullptr));
    ::ShowWindow(host, SW_SHOW);
    // The tip window's outer size for its 292 by 426 client area.
    RECT frame{0, 0, 292, 426};
    ::AdjustWindowRectEx(&frame, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, FALSE, 0);
    g_module.Create(340, 20, frame.right - frame.left, frame.bottom - frame.top, options.osType, options.language, "Auslagerungsdatei verlegen/umbenennen",
                    "Paging file", options.osMask, options.tippNr);
    ShowState("State:");

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    ::FreeLibrary(library);
    return 0;
}
