// Sorvanti.exe, the host program of the tip modules (host/HostWindow.h); the command line
// is described in host/Options.h.
#include "host/HostWindow.h"
#include "host/Options.h"

#include <windows.h>

#include <stdexcept>
#include <string>

namespace {

constexpr char kTitle[] = "Sorvanti";

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    Host::Options options;
    bool scripted = false;
    try {
        options = Host::ParseOptions(__argc, __argv);
        scripted = !options.steps.empty();
    } catch (const std::exception& e) {
        const std::string text = std::string(e.what()) + "\r\n";
        DWORD written = 0;
        HANDLE out = ::GetStdHandle(STD_ERROR_HANDLE);
        if (out && out != INVALID_HANDLE_VALUE)
            ::WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return 2;
    }
    try {
        Host::HostWindow window(instance, std::move(options));
        return window.Run();
    } catch (const std::exception& e) {
        // A scripted session has nobody to click a box away.
        if (!scripted) ::MessageBoxA(nullptr, e.what(), kTitle, MB_OK | MB_ICONSTOP);
        return 3;
    }
}
