#include "host/script/Capture.h"
#include "toolkit/base/Handles.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace Host {

void UpdateWindows(const std::vector<HWND>& windows)
{
    for (HWND window : windows)
        if (::IsWindowVisible(window)) ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::GdiFlush();
    // Wine copies a window's painting to the screen when its thread next looks at the
    // queue; a peek that removes nothing does it without dispatching anything.
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
}

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

Picture CopyScreen(const RECT& area)
{
    Picture picture{area.right - area.left, area.bottom - area.top, {}};
    if (picture.width <= 0 || picture.height <= 0) return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    tk::WindowDC screen(nullptr);
    tk::UniqueMemoryDC memory(::CreateCompatibleDC(screen.get()));
    void* bits = nullptr;
    tk::UniqueBitmap bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap) throw std::runtime_error("out of GDI resources");
    {
        tk::SelectedObject selected(memory.get(), bitmap.get());
        if (!::BitBlt(memory.get(), 0, 0, picture.width, picture.height, screen.get(), area.left, area.top,
                      SRCCOPY | CAPTUREBLT))
            throw std::runtime_error("copying from the screen failed");
        ::GdiFlush();
    }
    const auto* source = static_cast<const std::uint32_t*>(bits);
    picture.pixels.assign(source, source + static_cast<std::size_t>(picture.width) * picture.height);
    for (std::uint32_t& p : picture.pixels) p &= 0x00FFFFFF;
    return picture;
}

void WriteBmp(const Picture& picture, const std::string& bmpPath)
{
    const int rowBytes = (picture.width * 3 + 3) & ~3;
    const DWORD imageBytes = static_cast<DWORD>(rowBytes) * static_cast<DWORD>(picture.height);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageBytes;

    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = picture.width;
    header.biHeight = picture.height; // bottom row first, as a BMP file stores it
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = imageBytes;

    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(bmpPath.c_str(), "wb"), &std::fclose);
    if (!out) throw std::runtime_error("cannot create " + bmpPath);
    std::vector<unsigned char> row(static_cast<std::size_t>(rowBytes), 0);
    bool written =
        std::fwrite(&file, sizeof file, 1, out.get()) == 1 && std::fwrite(&header, sizeof header, 1, out.get()) == 1;
    for (int y = picture.height - 1; written && y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t p = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
            row[x * 3 + 0] = static_cast<unsigned char>(p & 0xFF);
            row[x * 3 + 1] = static_cast<unsigned char>((p >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<unsigned char>((p >> 16) & 0xFF);
        }
        written = std::fwrite(row.data(), 1, row.size(), out.get()) == row.size();
    }
    if (!written || std::fclose(out.release()) != 0) throw std::runtime_error("cannot write " + bmpPath);
}

void CaptureWindows(const std::vector<HWND>& windows, const std::string& bmpPath)
{
    UpdateWindows(windows);
    const Picture picture = CopyScreen(Bounds(windows));
    if (picture.pixels.empty()) throw std::runtime_error("no visible window to capture");
    WriteBmp(picture, bmpPath);
}

} // namespace Host
