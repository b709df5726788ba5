#pragma once
// Reading colours off a captured picture of a window.
#include "tests/support/WindowCapture.h"

#include <string>

namespace ts {

// The largest difference of the two colours in any of red, green and blue.
int ColourDistance(COLORREF a, COLORREF b);
// The pixels of `area` within `tolerance` of `colour`.
int CountNear(const Image& image, RECT area, COLORREF colour, int tolerance = 0);
// The colour most pixels of `area` have.
COLORREF MostFrequent(const Image& image, RECT area);
// Whether a pixel of `area` is coloured rather than grey: its red, green and blue differ.
bool HasColour(const Image& image, RECT area);
// The number of pixels in `area`, 0 when it is empty.
int PixelsOf(RECT area);
// "RGB(r,g,b)", for messages.
std::string Rgb(COLORREF colour);

inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);

} // namespace ts
