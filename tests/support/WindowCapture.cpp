#include "tests/support/WindowCapture.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "toolkit/base/Handles.h"

namespace ts {

Image::Image(int width, int height)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * height) {
    if (width < 0 || height < 0) throw std::invalid_argument("Image: negative size");
}

COLORREF Image::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) throw std::out_of_range("Image::Pixel outside the image");
    const std::uint32_t p = m_pixels[static_cast<size_t>(y) * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void Image::SetPixel(int x, int y, COLORREF color) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) throw std::out_of_range("Image::SetPixel outside the image");
    m_pixels[static_cast<size_t>(y) * m_width + x] =
        (static_cast<std::uint32_t>(GetRValue(color)) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

Image Image::Capture(HWND window, bool clientOnly) {
    if (!IsWindow(window)) throw std::invalid_argument("Image::Capture: not a window");

    // Paint whatever is still invalid. Wine copies a window's painting to the screen when
    // the thread next looks at its message queue; a peek that removes nothing does that
    // without dispatching messages the test may still want to see.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);

    RECT rect;
    if (clientOnly) {
        GetClientRect(window, &rect);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    } else {
        GetWindowRect(window, &rect);
    }
    Image image(rect.right - rect.left, rect.bottom - rect.top);
    if (image.m_width == 0 || image.m_height == 0) return image;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image.m_width;
    info.bmiHeader.biHeight = -image.m_height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    tk::WindowDC screen(nullptr);
    tk::UniqueMemoryDC memory(CreateCompatibleDC(screen.get()));
    void* bits = nullptr;
    tk::UniqueBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap) throw std::runtime_error("Image::Capture: out of GDI resources");
    {
        tk::SelectedObject selected(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, image.m_width, image.m_height, screen.get(), rect.left, rect.top,
                    SRCCOPY | CAPTUREBLT))
            throw std::runtime_error("Image::Capture: BitBlt from the screen failed");
        GdiFlush();
    }
    const auto* src = static_cast<const std::uint32_t*>(bits);
    for (size_t i = 0; i < image.m_pixels.size(); ++i) image.m_pixels[i] = src[i] & 0x00FFFFFF;
    return image;
}

Image Image::Render(int width, int height, COLORREF background, const std::function<void(HDC)>& draw) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    tk::UniqueMemoryDC memory(CreateCompatibleDC(nullptr));
    tk::UniqueBitmap bitmap(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap) throw std::runtime_error("Image::Render: out of GDI resources");
    {
        tk::SelectedObject selected(memory.get(), bitmap.get());
        tk::UniqueBrush brush(CreateSolidBrush(background));
        const RECT all{0, 0, width, height};
        FillRect(memory.get(), &all, brush.get());
        draw(memory.get());
        GdiFlush();
    }
    Image image(width, height);
    const auto* src = static_cast<const std::uint32_t*>(bits);
    for (size_t i = 0; i < image.m_pixels.size(); ++i) image.m_pixels[i] = src[i] & 0x00FFFFFF;
    return image;
}

void Image::SaveBmp(const std::string& path) const {
    const int rowBytes = (m_width * 3 + 3) & ~3;
    const DWORD imageBytes = static_cast<DWORD>(rowBytes) * m_height;

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageBytes;

    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = m_width;
    header.biHeight = m_height; // bottom row first, as BMP readers expect by default
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = imageBytes;

    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!out) throw std::runtime_error("SaveBmp: cannot create " + path);
    std::vector<unsigned char> row(static_cast<size_t>(rowBytes), 0);
    bool ok = std::fwrite(&file, sizeof file, 1, out.get()) == 1 &&
              std::fwrite(&header, sizeof header, 1, out.get()) == 1;
    for (int y = m_height - 1; ok && y >= 0; --y) {
        for (int x = 0; x < m_width; ++x) {
            const std::uint32_t p = m_pixels[static_cast<size_t>(y) * m_width + x];
            row[x * 3 + 0] = static_cast<unsigned char>(p & 0xFF);
            row[x * 3 + 1] = static_cast<unsigned char>((p >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<unsigned char>((p >> 16) & 0xFF);
        }
        ok = std::fwrite(row.data(), 1, row.size(), out.get()) == row.size();
    }
    if (!ok || std::fclose(out.release()) != 0) throw std::runtime_error("SaveBmp: cannot write " + path);
}

void CaptureWindow(HWND window, const std::string& bmpPath) { Image::Capture(window, false).SaveBmp(bmpPath); }
void CaptureClient(HWND window, const std::string& bmpPath) { Image::Capture(window, true).SaveBmp(bmpPath); }

} // namespace ts
