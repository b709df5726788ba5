// The tip window as the user sees it: places, sizes, fonts and colours of its controls,
// read back from the real windows and from the screen.
#include "host/script/WindowLookup.h"
#include "tests/support/MessageParty.h"
#include "tests/support/Pixels.h"
#include "tests/support/Pump.h"
#include "tests/support/TipModule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

namespace tip = ts::tip;
using ts::kWhite;

constexpr COLORREF kFrame = RGB(140, 170, 230);
constexpr COLORREF kMemo = RGB(237, 242, 252);
constexpr COLORREF kTitleText = RGB(1, 72, 178);
constexpr COLORREF kNormalTile = RGB(133, 120, 209);
constexpr COLORREF kHotTile = RGB(203, 177, 255);
constexpr int kTileTolerance = 25;

int CountDark(const ts::Image& image, RECT area) { return ts::CountNear(image, area, ts::kBlack, 99); }

// A pixel of the image a command button shows, inside its frame.
COLORREF TileOf(const ts::Image& image, RECT button) { return image.Pixel(button.left + 4, button.top + 4); }

class TipLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        ts::ParkPointer();
        ASSERT_EQ(module.Create(), 0);
        window = module.Window();
        ASSERT_NE(window, nullptr);
        ts::PumpPaints(window);
    }
    void TearDown() override { module.Api().Free(); }

    // The windowed controls of the layout on `control`'s place in a client area of
    // `client`: all, and the visible ones.
    static std::pair<size_t, size_t> ControlsSharing(const ts::TipControl& control, SIZE client)
    {
        size_t all = 0, visible = 0;
        for (const ts::TipControl& c : tip::kControls) {
            const RECT a = c.In(client), b = control.In(client);
            if (c.windowClass && std::string(c.windowClass) == control.windowClass && ::EqualRect(&a, &b)) {
                ++all;
                visible += c.visible;
            }
        }
        return {all, visible};
    }

    void MoveMouse(POINT at) const { ::SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y)); }

    HCURSOR CursorAfterSetCursor() const
    {
        ::SetCursor(nullptr);
        ::SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    }

    ts::TipModule module;
    HWND window = nullptr;
};

// What a windowed control shows besides its place: style bits that must be set and must
// not be, and for edits and memos the colour inside their flat border.
struct Look {
    ts::TipControl control;
    LONG style;
    LONG noStyle;
    COLORREF inside;
};

// Lines wrap, so no horizontal scrolling; the help texts are no tab stops.
constexpr LONG kMemoStyle = WS_VSCROLL | ES_MULTILINE | ES_READONLY;
constexpr LONG kNotMemoStyle = ES_AUTOHSCROLL | WS_HSCROLL | WS_TABSTOP;
constexpr COLORREF kNoBorder = CLR_INVALID;

TEST_F(TipLayout, WindowedControlsLieAtTheirPlaces)
{
    const Look rows[] = {
        {tip::kTitle, 0, 0, kNoBorder},
        {tip::kMemoGerman, kMemoStyle, kNotMemoStyle, kMemo}, // and the English memo on the same place
        {tip::kTopBevel, 0, 0, kNoBorder},
        {tip::kBottomBevel, 0, 0, kNoBorder},
        {tip::kLeftBevel, 0, 0, kNoBorder},
        {tip::kRightBevel, 0, 0, kNoBorder},
        {tip::kPagingDrive, 0, ES_MULTILINE | ES_READONLY, kWhite},
        {tip::kPagingFile, 0, ES_MULTILINE | ES_READONLY, kWhite},
    };
    const ts::Image image = ts::Image::Capture(window, true);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.control.name);
        const RECT place = row.control.Rect();
        const std::vector<HWND> found = ts::ChildrenOn(window, row.control.windowClass, place);
        const auto [count, shown] = ControlsSharing(row.control, ts::TipControl::kClient);
        ASSERT_EQ(found.size(), count);
        size_t visible = 0;
        for (HWND hwnd : found) {
            if (::IsWindowVisible(hwnd)) ++visible;
            const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
            EXPECT_EQ(style & row.style, row.style) << std::hex << style;
            EXPECT_EQ(style & row.noStyle, 0) << std::hex << style;
            EXPECT_EQ(::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0) << "a three-dimensional border";
            if (row.inside == kNoBorder) continue;
            // An edit control takes WS_BORDER out of its style and draws the flat line
            // itself, inside its client area; a client edge would take a non-client frame.
            RECT client;
            ::GetClientRect(hwnd, &client);
            const int scrollBar = (style & WS_VSCROLL) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
            EXPECT_EQ(client.right, row.control.width - scrollBar);
            EXPECT_EQ(client.bottom, row.control.height);
        }
        EXPECT_EQ(visible, shown);
        if (row.inside == kNoBorder) continue;
        // A one-pixel line of one colour all round, set off from the inside and the window.
        const int middle = (place.top + place.bottom) / 2;
        const int centre = (place.left + place.right) / 2;
        const COLORREF line = image.Pixel(place.left, middle);
        EXPECT_GT(ts::ColourDistance(line, row.inside), 60) << ts::Rgb(line);
        EXPECT_GT(ts::ColourDistance(line, kWhite), 60) << ts::Rgb(line);
        EXPECT_EQ(ts::Rgb(image.Pixel(centre, place.top)), ts::Rgb(line));
        // Beside a vertical scroll bar the edit control leaves the right line to the bar.
        if (!(row.style & WS_VSCROLL)) {
            EXPECT_EQ(ts::Rgb(image.Pixel(place.right - 1, middle)), ts::Rgb(line));
        }
        EXPECT_EQ(ts::Rgb(image.Pixel(centre, place.bottom - 1)), ts::Rgb(line));
        EXPECT_EQ(ts::Rgb(image.Pixel(place.left + 1, middle)), ts::Rgb(row.inside))
            << "the border is wider than one pixel";
        EXPECT_EQ(ts::Rgb(image.Pixel(centre, place.top + 1)), ts::Rgb(row.inside));
        EXPECT_EQ(ts::Rgb(image.Pixel(place.left - 1, middle)), ts::Rgb(kWhite));
    }
    // Nothing but these lies on the window.
    EXPECT_EQ(ts::Children(window).size(), static_cast<size_t>(tip::kWindowedControls));
}

TEST_F(TipLayout, GermanMemoShownAndEnglishMemoHidden)
{
    ASSERT_NE(ts::LibraryHelpText(211, 2), "");
    const ts::Memos memos = ts::FindMemos(window);
    ASSERT_NE(memos.german, nullptr) << "no memo holds the German help text";
    ASSERT_NE(memos.english, nullptr) << "no memo holds the English help text";
    EXPECT_TRUE(::IsWindowVisible(memos.german));
    EXPECT_FALSE(::IsWindowVisible(memos.english));
}

TEST_F(TipLayout, FontsOfTitleEditsAndMemos)
{
    const struct {
        const char* name;
        HWND hwnd;
        int height;
        int weight;
    } rows[] = {
        {"title", module.Child(tip::kTitle), -12, FW_BOLD},
        {"PagingDrive", module.Child(tip::kPagingDrive), -11, FW_NORMAL},
        {"PagingFile", module.Child(tip::kPagingFile), -11, FW_NORMAL},
        {"memo", module.Child(tip::kMemoGerman), -11, FW_NORMAL},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_NE(row.hwnd, nullptr);
        const LOGFONTA lf = ts::FontOf(row.hwnd);
        EXPECT_STREQ(lf.lfFaceName, "Tahoma");
        EXPECT_EQ(lf.lfHeight, row.height);
        EXPECT_EQ(lf.lfWeight, row.weight);
        EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
    }
}

TEST_F(TipLayout, ColoursOfAFreshWindow)
{
    const ts::Image image = ts::Image::Capture(window, true);
    ASSERT_EQ(image.Width(), ts::TipControl::kClient.cx);
    ASSERT_EQ(image.Height(), ts::TipControl::kClient.cy);
    // Inside the memo's border, left of its scroll bar.
    RECT memo = tip::kMemoGerman.Rect();
    ::InflateRect(&memo, -1, -1);
    memo.right -= ::GetSystemMetrics(SM_CXVSCROLL);

    const struct {
        const char* what;
        RECT area;
        COLORREF color;
    } areas[] = {
        {"client background below the fields", {10, 220, 280, 370}, kWhite},
        {"client background between the buttons", {100, 385, 190, 415}, kWhite},
        {"top frame strip", tip::kTopBevel.Rect(), kFrame},
        {"bottom frame strip", tip::kBottomBevel.Rect(), kFrame},
        {"left frame strip", tip::kLeftBevel.Rect(), kFrame},
        {"right frame strip", tip::kRightBevel.Rect(), kFrame},
        {"German help memo", memo, kMemo},
    };
    for (const auto& a : areas) {
        SCOPED_TRACE(a.what);
        EXPECT_EQ(ts::Rgb(ts::MostFrequent(image, a.area)), ts::Rgb(a.color));
    }
    // The strips are solid; the white background reaches up to them.
    for (const ts::TipControl& bevel : {tip::kTopBevel, tip::kLeftBevel})
        EXPECT_EQ(ts::CountNear(image, bevel.Rect(), kFrame), bevel.width * bevel.height) << bevel.name;
    EXPECT_EQ(image.Pixel(tip::kLeftBevel.width, 220), kWhite);

    // The title above the memo that covers its lowest pixels.
    const RECT title{tip::kTitle.left, tip::kTitle.top, tip::kTitle.Rect().right, tip::kMemoGerman.top};
    EXPECT_GT(ts::CountNear(image, title, kTitleText, 30), 20) << "title text is not dark blue";
    EXPECT_EQ(CountDark(image, title), 0) << "title text is black";
    EXPECT_GT(CountDark(image, tip::kPagingDriveLabel.Rect()), 10) << "PagingDrive label";
    EXPECT_GT(CountDark(image, tip::kPagingFileLabel.Rect()), 10) << "PagingFile label";
}

TEST_F(TipLayout, ButtonsShowTheirImagesAndTheHotImageUnderThePointer)
{
    const HCURSOR hand = ::LoadCursor(nullptr, IDC_HAND);
    const HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);

    const ts::Image fresh = ts::Image::Capture(window, true);
    for (const ts::TipControl& button : tip::kButtons) {
        const COLORREF tile = TileOf(fresh, button.Rect());
        EXPECT_LE(ts::ColourDistance(tile, kNormalTile), kTileTolerance) << button.name << ": " << ts::Rgb(tile);
    }

    for (const ts::TipControl& hovered : tip::kButtons) {
        SCOPED_TRACE(hovered.name);
        MoveMouse(hovered.Centre());
        const ts::Image hot = ts::Image::Capture(window, true);
        for (const ts::TipControl& button : tip::kButtons) {
            const COLORREF expected = button.left == hovered.left ? kHotTile : kNormalTile;
            const COLORREF tile = TileOf(hot, button.Rect());
            EXPECT_LE(ts::ColourDistance(tile, expected), kTileTolerance) << button.name << ": " << ts::Rgb(tile);
        }
        EXPECT_EQ(CursorAfterSetCursor(), hand);

        MoveMouse({150, 300});
        const COLORREF away = TileOf(ts::Image::Capture(window, true), hovered.Rect());
        EXPECT_LE(ts::ColourDistance(away, kNormalTile), kTileTolerance) << ts::Rgb(away);
        EXPECT_EQ(CursorAfterSetCursor(), arrow);
    }
}

// The memo lies in front of the title's lowest 9 pixels: the overlap shows the memo.
TEST_F(TipLayout, MemoCoversTheLowestPixelsOfTheTitle)
{
    const RECT title = Host::ChildRect(module.Child(tip::kTitle));
    const RECT memo = Host::ChildRect(module.Child(tip::kMemoGerman));
    ASSERT_EQ(title.bottom - memo.top, 9);

    RECT memoClient;
    ::GetClientRect(module.Child(tip::kMemoGerman), &memoClient);

    const ts::Image image = ts::Image::Capture(window, true);
    // Inside the memo's border, left of its scroll bar.
    const RECT overlap{memo.left + 1, memo.top + 1, memo.left + memoClient.right - 1, title.bottom};
    EXPECT_EQ(ts::Rgb(ts::MostFrequent(image, overlap)), ts::Rgb(kMemo));
    EXPECT_EQ(ts::CountNear(image, overlap, kWhite), 0);
    // Above the memo the title's own white background shows.
    EXPECT_EQ(ts::Rgb(ts::MostFrequent(image, {title.left, title.top, title.right, memo.top})), ts::Rgb(kWhite));
}

TEST_F(TipLayout, TabCyclesThroughTheTwoEditsOnly)
{
    HWND drive = module.Child(tip::kPagingDrive);
    HWND file = module.Child(tip::kPagingFile);
    HWND memo = module.Child(tip::kMemoGerman);
    ASSERT_TRUE(drive && file && memo);

    const struct {
        const char* from;
        HWND start;
        HWND expected[3];
    } rows[] = {
        {"PagingDrive", drive, {file, drive, file}},
        {"PagingFile", file, {drive, file, drive}},
        {"the memo", memo, {drive, file, drive}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.from);
        ::SetFocus(row.start);
        ASSERT_EQ(::GetFocus(), row.start);
        for (HWND expected : row.expected) {
            ::SendMessageA(::GetFocus(), WM_KEYDOWN, VK_TAB, 0);
            EXPECT_EQ(::GetFocus(), expected) << Host::ClassOf(::GetFocus()) << " " << ts::WindowText(::GetFocus());
        }
    }
}

TEST_F(TipLayout, WideningMovesTheRightButtonsAndWidensTitleAndMemos)
{
    constexpr int kWider = 100;
    const SIZE wide{ts::TipControl::kClient.cx + kWider, ts::TipControl::kClient.cy};
    RECT r;
    ::GetWindowRect(window, &r);
    ::SetWindowPos(window, nullptr, 0, 0, r.right - r.left + kWider, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ts::PumpMessages();

    for (const ts::TipControl& c : tip::kControls) {
        if (!c.windowClass) continue;
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ts::ChildrenOn(window, c.windowClass, c.In(wide)).size(), ControlsSharing(c, wide).first);
    }

    const ts::Image image = ts::Image::Capture(window, true);
    ASSERT_EQ(image.Width(), wide.cx);
    // Each button at its place, and the old places of those that moved left white.
    for (const ts::TipControl& button : tip::kButtons) {
        SCOPED_TRACE(button.name);
        const RECT now = button.In(wide), before = button.Rect();
        const COLORREF seen = TileOf(image, now);
        EXPECT_LE(ts::ColourDistance(seen, kNormalTile), kTileTolerance) << ts::Rgb(seen);
        if (::EqualRect(&now, &before)) continue;
        const RECT inside{before.left + 2, before.top + 2, before.right - 2, before.bottom - 2};
        EXPECT_EQ(ts::CountNear(image, inside, kWhite), 32 * 32) << "the old place is not empty";
    }

    // The pointer finds Info at its new place.
    MoveMouse({tip::kInfo.In(wide).left + tip::kInfo.width / 2, tip::kInfo.Centre().y});
    const COLORREF hot = TileOf(ts::Image::Capture(window, true), tip::kInfo.In(wide));
    EXPECT_LE(ts::ColourDistance(hot, kHotTile), kTileTolerance) << ts::Rgb(hot);
}

TEST_F(TipLayout, F12BroadcastsTheSwitchWindowNotice)
{
    ts::MessageParty host;
    const struct {
        const char* focus;
        HWND hwnd;
    } rows[] = {
        {"PagingDrive", module.Child(tip::kPagingDrive)},
        {"PagingFile", module.Child(tip::kPagingFile)},
        {"the German memo", ts::FindMemos(window).german},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.focus);
        ASSERT_NE(row.hwnd, nullptr);
        host.Clear();
        ::SetFocus(row.hwnd);
        ASSERT_EQ(::GetFocus(), row.hwnd);
        ::SendMessageA(row.hwnd, WM_KEYDOWN, VK_F12, 0);
        ts::PumpMessages();
        EXPECT_EQ(host.Received(), (std::vector<ts::ReceivedMessage>{{200, 0}}));
    }
    // Other keys send nothing.
    host.Clear();
    ::SendMessageA(module.Child(tip::kPagingDrive), WM_KEYDOWN, VK_F11, 0);
    EXPECT_TRUE(host.Received().empty());
}

} // namespace
