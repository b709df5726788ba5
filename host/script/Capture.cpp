#include "host/script/Capture.h"
#include "toolkit/base/Handles.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace Host {

RECT Bounds(const std::vector<HWND>& windows)
{
    RECT all{};
    for (HWND window : windows) {
        if (!::IsWindowVisible(window)) continue;
        RECT r;
        ::GetWindowRect(window, &r);
        ::UnionRect(&all, &all, &r);
    }
    return all;
}

void CaptureWindows(const std::vector<HWND>& windows, const std::string& bmpPath)
{
    for (HWND window : windows)
        if (::IsWindowVisible(window)) ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::GdiFlush();
    // Wine copies a window's painting to the screen when its thread next looks at the
    // queue; a peek that removes nothing does it without dispatching anything.
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);

    const RECT r = Bounds(windows);
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) throw std::runtime_error("no visible window to capture");

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom row first, as a BMP file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    info.bmiHeader.biSizeImage = rowBytes * static_cast<DWORD>(height);

    tk::WindowDC screen(nullptr);
    tk::UniqueMemoryDC memory(::CreateCompatibleDC(screen.get()));
    void* bits = nullptr;
    tk::UniqueBitmap bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap) throw std::runtime_error("out of GDI resources");
    {
        tk::SelectedObject selected(memory.get(), bitmap.get());
        if (!::BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY | CAPTUREBLT))
            throw std::runtime_error("copying from the screen failed");
        ::GdiFlush();
    }

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + info.bmiHeader.biSizeImage;
    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(bmpPath.c_str(), "wb"), &std::fclose);
    if (!out) throw std::runtime_error("cannot create " + bmpPath);
    const bool written = std::fwrite(&file, sizeof file, 1, out.get()) == 1 &&
                         std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out.get()) == 1 &&
                         std::fwrite(bits, 1, info.bmiHeader.biSizeImage, out.get()) == info.bmiHeader.biSizeImage;
    if (!written || std::fclose(out.release()) != 0) throw std::runtime_error("cannot write " + bmpPath);
}

} // namespace Host
