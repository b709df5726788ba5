// The tip window when GDI has no objects to spare: each function of gdi32 that Tipp211.dll
// makes an object with fails, from the window's creation on or from its first paint on.
// The window paints what it can and never writes through a null pointer (every test
// program fails on an access violation, also one swallowed inside WM_PAINT); once the
// function works again, its next paint shows the colours of a fresh window.
#include "host/script/ImportPatch.h"
#include "tests/support/Pixels.h"
#include "tests/support/Pump.h"
#include "tests/support/TipModule.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

namespace tip = ts::tip;

template <class Result, class... Arguments>
Result WINAPI Refuse(Arguments...)
{
    return nullptr;
}

struct Creator {
    const char* function;
    void* refusal;
};

const Creator kCreators[] = {
    {"CreateDIBSection",
     reinterpret_cast<void*>(&Refuse<HBITMAP, HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD>)},
    {"CreateCompatibleDC", reinterpret_cast<void*>(&Refuse<HDC, HDC>)},
    {"CreateFontIndirectA", reinterpret_cast<void*>(&Refuse<HFONT, const LOGFONTA*>)},
    {"CreateSolidBrush", reinterpret_cast<void*>(&Refuse<HBRUSH, COLORREF>)},
};

void Repaint(HWND window)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    ts::PumpPaints(window);
}

// Paints the window with the button pictures it has, then makes each button's pictures
// again under the pointer and paints it once more.
void PaintEverything(HWND window)
{
    Repaint(window);
    for (const ts::TipControl& button : tip::kButtons) {
        ::SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(button.Centre().x, button.Centre().y));
        ::SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(150, 300));
    }
    Repaint(window);
}

// The colours the toolkit paints itself: background, frame strips, and a pixel of each
// button's picture.
std::vector<std::string> Colours(HWND window)
{
    const ts::Image image = ts::Image::Capture(window, true);
    std::vector<std::string> colours;
    for (const RECT area : {RECT{10, 220, 280, 370}, tip::kTopBevel.Rect(), tip::kLeftBevel.Rect()})
        colours.push_back(ts::Rgb(ts::MostFrequent(image, area)));
    for (const ts::TipControl& button : tip::kButtons)
        colours.push_back(ts::Rgb(image.Pixel(button.left + 4, button.top + 4)));
    return colours;
}

TEST(ExhaustedGdi, TheWindowPaintsWhatItCanAndAllOnceGdiRecovers)
{
    ts::ParkPointer();
    ts::TipModule tip;
    ASSERT_EQ(tip.Create(), 0);
    PaintEverything(tip.Window());
    const std::vector<std::string> fresh = Colours(tip.Window());
    ASSERT_EQ(tip.Api().Free(), 1);

    for (const Creator& creator : kCreators) {
        for (const bool fromCreation : {true, false}) {
            SCOPED_TRACE(testing::Message() << creator.function << (fromCreation ? " from creation" : " from paint"));
            std::optional<Host::ImportPatch> refused;
            if (fromCreation) refused.emplace(tip.Library(), "gdi32.dll", creator.function, creator.refusal);
            ASSERT_EQ(tip.Create(), 0);
            HWND window = tip.Window();
            ASSERT_NE(window, nullptr);
            if (!fromCreation) refused.emplace(tip.Library(), "gdi32.dll", creator.function, creator.refusal);
            PaintEverything(window);
            EXPECT_TRUE(ts::PumpPosted());

            refused.reset();
            PaintEverything(window);
            EXPECT_EQ(Colours(window), fresh);
            EXPECT_EQ(tip.Api().Free(), 1);
        }
    }
}

} // namespace
