// Shows the tip window the way the host does and writes a picture of it, for the docs.
//
//   capture_tip.exe OUT.bmp [--language 0|1] [--ostype N] [--osmask M]
#include "contract/ModuleCaller.h"
#include "tests/support/Pump.h"
#include "tests/support/WindowCapture.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: capture_tip OUT.bmp [--language N] [--ostype N] [--osmask M]\n");
        return 2;
    }
    int language = 0, osType = 13, osMask = 0x1FFF;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--language") language = std::atoi(argv[i + 1]);
        else if (key == "--ostype") osType = std::atoi(argv[i + 1]);
        else if (key == "--osmask") osMask = static_cast<int>(std::strtoul(argv[i + 1], nullptr, 0));
    }

    ModuleApi::Module module;
    HMODULE library = ::LoadLibraryA("Tipp211.dll");
    if (!library || !module.Bind(library)) {
        std::fprintf(stderr, "Tipp211.dll does not load\n");
        return 1;
    }
    RECT frame{0, 0, 292, 426};
    ::AdjustWindowRectEx(&frame, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, FALSE, WS_EX_CONTROLPARENT);
    module.Create(20, 20, frame.right - frame.left, frame.bottom - frame.top, osType, language,
                  "Auslagerungsdatei verlegen/umbenennen", "", osMask, 211);
    HWND tip = ::GetForegroundWindow();
    if (!tip) {
        std::fprintf(stderr, "no tip window\n");
        return 1;
    }
    ts::PumpPaints(tip);
    ts::CaptureWindow(tip, argv[1]);
    module.Free();
    ::FreeLibrary(library);
    return 0;
}
