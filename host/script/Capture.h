#pragma once
// Pictures of what the user sees, copied from the screen: for the host's scripted mode,
// the tests' pixel checks and the pictures of the docs. Screen copies rather than
// PrintWindow: under Wine, PrintWindow renders neither the frame nor the child windows.
// Wine draws the frame itself only for unmanaged windows (X11 Driver "Managed"="N");
// where it leaves the frame to a window manager, that area comes out black.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace Host {

// 32-bit pixels, 0x00RRGGBB, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Paints what is still invalid in the windows and their children and has it put on the
// screen.
void UpdateWindows(const std::vector<HWND>& windows);

// The smallest rectangle on the screen that holds every visible window of `windows`.
RECT Bounds(const std::vector<HWND>& windows);

// The screen's pixels in `area`; throws std::runtime_error when they cannot be copied.
Picture CopyScreen(const RECT& area);

// Writes the picture as a 24-bit BMP file; throws std::runtime_error when it cannot.
void WriteBmp(const Picture& picture, const std::string& bmpPath);

// Brings the windows up to date and writes the screen area that holds them to `bmpPath`.
// Throws std::runtime_error when there is nothing to capture or the file cannot be written.
void CaptureWindows(const std::vector<HWND>& windows, const std::string& bmpPath);

} // namespace Host
