#include "toolkit/gdi/Bitmap.h"

#include <vector>

namespace tk {

namespace {
std::uint32_t ToPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
COLORREF ToColor(std::uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }
} // namespace

void TBitmap::SetSize(int width, int height, COLORREF fill)
{
    m_handle.reset();
    m_bits = nullptr;
    m_width = m_height = 0;
    if (width > 0 && height > 0) {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_handle.reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (m_handle) {
            m_bits = static_cast<std::uint32_t*>(bits);
            m_width = width;
            m_height = height;
            std::fill(m_bits, m_bits + width * height, ToPixel(fill));
        }
    }
    Changed();
}

void TBitmap::Clear()
{
    const bool wasEmpty = Empty();
    m_handle.reset();
    m_bits = nullptr;
    m_width = m_height = 0;
    if (!wasEmpty) Changed();
}

COLORREF TBitmap::Pixel(int x, int y) const
{
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height) return CLR_INVALID;
    ::GdiFlush();
    return ToColor(m_bits[y * m_width + x]);
}

void TBitmap::SetPixel(int x, int y, COLORREF color)
{
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    ::GdiFlush();
    m_bits[y * m_width + x] = ToPixel(color);
}

TBitmap::Canvas::Canvas(TBitmap& bitmap)
    : m_bitmap(bitmap), m_dc(::CreateCompatibleDC(nullptr)), m_old(::SelectObject(m_dc.get(), bitmap.Handle()))
{}

TBitmap::Canvas::~Canvas()
{
    ::SelectObject(m_dc.get(), m_old);
    ::GdiFlush();
    m_bitmap.Changed();
}

void TBitmap::DrawTransparent(HDC dc, int x, int y, bool disabled) const
{
    if (Empty()) return;
    ::GdiFlush();
    const std::uint32_t key = m_bits[(m_height - 1) * m_width];
    // Work on a copy: the key pixels take the target's colours, disabled ones turn grey.
    TBitmap copy;
    copy.SetSize(m_width, m_height);
    // Without a bitmap to spare (GDI exhausted) the picture is left out.
    if (copy.Empty()) return;
    {
        UniqueMemoryDC memory(::CreateCompatibleDC(dc));
        SelectedObject select(memory.get(), copy.Handle());
        ::BitBlt(memory.get(), 0, 0, m_width, m_height, dc, x, y, SRCCOPY);
    }
    ::GdiFlush();
    for (int i = 0; i < m_width * m_height; ++i) {
        std::uint32_t p = m_bits[i];
        if (p == key) continue;
        if (disabled) {
            const unsigned grey = (((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
            const unsigned light = 128 + grey / 2;
            p = (light << 16) | (light << 8) | light;
        }
        copy.m_bits[i] = p;
    }
    UniqueMemoryDC memory(::CreateCompatibleDC(dc));
    SelectedObject select(memory.get(), copy.Handle());
    ::BitBlt(dc, x, y, m_width, m_height, memory.get(), 0, 0, SRCCOPY);
}

} // namespace tk
