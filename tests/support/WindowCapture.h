#pragma once
// Pictures of windows as they are on screen, for pixel checks in tests and for the docs,
// copied from the screen as the host's scripted mode copies them (host/script/Capture.h):
// whatever covers the window is captured too.
#include "host/script/Capture.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ts {

// 32-bit pixels of a captured window, top row first.
class Image {
public:
    Image() = default;
    Image(int width, int height);

    // Brings `window` and its children up to date and copies it from the screen: the whole
    // window with its frame, or only its client area.
    static Image Capture(HWND window, bool clientOnly);
    // A picture drawn off screen: `background` first, then whatever `draw` puts on it.
    static Image Render(int width, int height, COLORREF background, const std::function<void(HDC)>& draw);

    [[nodiscard]] int Width() const { return m_picture.width; }
    [[nodiscard]] int Height() const { return m_picture.height; }
    [[nodiscard]] COLORREF Pixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);

    // Writes a 24-bit BMP; throws std::runtime_error when the file cannot be written.
    void SaveBmp(const std::string& path) const;

private:
    explicit Image(Host::Picture picture) : m_picture(std::move(picture)) {}

    Host::Picture m_picture;
};

void CaptureWindow(HWND window, const std::string& bmpPath);
void CaptureClient(HWND window, const std::string& bmpPath);

} // namespace ts
