#include "tests/support/Pixels.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace ts {

int ColourDistance(COLORREF a, COLORREF b)
{
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

int CountNear(const Image& image, RECT area, COLORREF colour, int tolerance)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (ColourDistance(image.Pixel(x, y), colour) <= tolerance) ++count;
    return count;
}

COLORREF MostFrequent(const Image& image, RECT area)
{
    std::map<COLORREF, int> counts;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) ++counts[image.Pixel(x, y)];
    if (counts.empty()) return CLR_INVALID;
    return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

bool HasColour(const Image& image, RECT area)
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = image.Pixel(x, y);
            const int hi = std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
            const int lo = std::min({GetRValue(c), GetGValue(c), GetBValue(c)});
            if (hi - lo > 40) return true;
        }
    return false;
}

int PixelsOf(RECT area)
{
    return std::max(0, static_cast<int>(area.right - area.left)) *
           std::max(0, static_cast<int>(area.bottom - area.top));
}

std::string Rgb(COLORREF colour)
{
    char text[32];
    std::snprintf(text, sizeof text, "RGB(%d,%d,%d)", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

} // namespace ts
