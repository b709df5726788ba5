#pragma once
// TBitmap: a 32-bit device-independent bitmap with direct pixel access. Owners hear of
// every change through OnChange, so a control showing it can redraw.
#include "toolkit/base/Handles.h"

#include <cstdint>
#include <functional>

namespace tk {

class TBitmap {
public:
    TBitmap() = default;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Empty() const { return !m_handle; }
    HBITMAP Handle() const { return m_handle.get(); }

    // Gives the bitmap a new size, every pixel filled with `fill`.
    void SetSize(int width, int height, COLORREF fill = RGB(255, 255, 255));
    // Empties the bitmap (assigning nothing).
    void Clear();
    COLORREF Pixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);

    // A memory device context with the bitmap selected, for drawing into it.
    class Canvas {
    public:
        explicit Canvas(TBitmap& bitmap);
        ~Canvas();
        Canvas(const Canvas&) = delete;
        Canvas& operator=(const Canvas&) = delete;
        HDC dc() const { return m_dc.get(); }

    private:
        TBitmap& m_bitmap;
        UniqueMemoryDC m_dc;
        HGDIOBJ m_old;
    };

    // Draws the bitmap with the colour of its lower-left pixel left out; a disabled
    // picture is drawn in light grey tones. Draws nothing when the system can make no
    // bitmap to work on.
    void DrawTransparent(HDC dc, int x, int y, bool disabled) const;

    std::function<void()> OnChange;
    void Changed()
    {
        if (OnChange) OnChange();
    }

private:
    UniqueBitmap m_handle;
    std::uint32_t* m_bits = nullptr; // top-down rows, 0x00RRGGBB
    int m_width = 0;
    int m_height = 0;
};

} // namespace tk
