#pragma once
// Pictures of what the user sees: the rectangle that holds the given windows, copied
// from the screen into a 24-bit BMP file.
#include <windows.h>

#include <string>
#include <vector>

namespace Host {

// The smallest rectangle on the screen that holds every visible window of `windows`.
RECT Bounds(const std::vector<HWND>& windows);

// Paints what is still invalid in the windows and writes the screen area that holds them
// to `bmpPath`. Throws std::runtime_error when there is nothing to capture or the file
// cannot be written.
void CaptureWindows(const std::vector<HWND>& windows, const std::string& bmpPath);

} // namespace Host
