#include "tests/support/WindowCapture.h"
#include "toolkit/base/Handles.h"

#include <stdexcept>

namespace ts {

Image::Image(int width, int height)
{
    if (width < 0 || height < 0) throw std::invalid_argument("Image: negative size");
    m_picture = {width, height, std::vector<std::uint32_t>(static_cast<size_t>(width) * height)};
}

COLORREF Image::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) throw std::out_of_range("Image::Pixel outside the image");
    const std::uint32_t p = m_picture.pixels[static_cast<size_t>(y) * Width() + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void Image::SetPixel(int x, int y, COLORREF color)
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) throw std::out_of_range("Image::SetPixel outside the image");
    m_picture.pixels[static_cast<size_t>(y) * Width() + x] =
        (static_cast<std::uint32_t>(GetRValue(color)) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

Image Image::Capture(HWND window, bool clientOnly)
{
    if (!::IsWindow(window)) throw std::invalid_argument("Image::Capture: not a window");
    Host::UpdateWindows({window});
    RECT rect;
    if (clientOnly) {
        ::GetClientRect(window, &rect);
        ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    } else {
        ::GetWindowRect(window, &rect);
    }
    return Image(Host::CopyScreen(rect));
}

Image Image::Render(int width, int height, COLORREF background, const std::function<void(HDC)>& draw)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    tk::UniqueMemoryDC memory(::CreateCompatibleDC(nullptr));
    tk::UniqueBitmap bitmap(::CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap) throw std::runtime_error("Image::Render: out of GDI resources");
    {
        tk::SelectedObject selected(memory.get(), bitmap.get());
        tk::UniqueBrush brush(::CreateSolidBrush(background));
        const RECT all{0, 0, width, height};
        ::FillRect(memory.get(), &all, brush.get());
        draw(memory.get());
        ::GdiFlush();
    }
    Image image(width, height);
    const auto* src = static_cast<const std::uint32_t*>(bits);
    for (size_t i = 0; i < image.m_picture.pixels.size(); ++i) image.m_picture.pixels[i] = src[i] & 0x00FFFFFF;
    return image;
}

void Image::SaveBmp(const std::string& path) const { Host::WriteBmp(m_picture, path); }

void CaptureWindow(HWND window, const std::string& bmpPath) { Image::Capture(window, false).SaveBmp(bmpPath); }
void CaptureClient(HWND window, const std::string& bmpPath) { Image::Capture(window, true).SaveBmp(bmpPath); }

} // namespace ts
