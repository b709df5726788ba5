// The tip window as the user sees it: places, sizes, fonts and colours of its controls,
// read back from the real windows and from the screen.
#include "tests/support/TipModule.h"
#include "tests/support/Pump.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kFrame = RGB(140, 170, 230);
constexpr COLORREF kMemo = RGB(237, 242, 252);
constexpr COLORREF kTitleText = RGB(1, 72, 178);
constexpr COLORREF kNormalTile = RGB(133, 120, 209);
constexpr COLORREF kHotTile = RGB(203, 177, 255);
constexpr int kTileTolerance = 25;

constexpr int kButtonTop = 381;

std::string Rgb(COLORREF c)
{
    char text[32];
    std::snprintf(text, sizeof text, "RGB(%d,%d,%d)", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

int Distance(COLORREF a, COLORREF b)
{
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

int CountNear(const ts::Image& image, RECT area, COLORREF color, int tolerance)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (Distance(image.Pixel(x, y), color) <= tolerance) ++count;
    return count;
}

COLORREF MostFrequent(const ts::Image& image, RECT area)
{
    std::map<COLORREF, int> counts;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) ++counts[image.Pixel(x, y)];
    return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

int CountDark(const ts::Image& image, RECT area)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (Distance(image.Pixel(x, y), RGB(0, 0, 0)) < 100) ++count;
    return count;
}

LOGFONTA FontOf(HWND hwnd)
{
    LOGFONTA lf = {};
    auto font = reinterpret_cast<HFONT>(::SendMessageA(hwnd, WM_GETFONT, 0, 0));
    if (font) ::GetObjectA(font, sizeof lf, &lf);
    return lf;
}

// Top-level window of the test that records the host messages broadcast to it.
class HostMessageRecorder {
public:
    HostMessageRecorder()
    {
        s_message = ::RegisterWindowMessageA("Kelvamo");
        s_received.clear();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "LayoutTestHost";
        ::RegisterClassA(&wc);
        m_hwnd = ::CreateWindowExA(0, wc.lpszClassName, "host", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                   wc.hInstance, nullptr);
    }
    ~HostMessageRecorder()
    {
        ::DestroyWindow(m_hwnd);
        ::UnregisterClassA("LayoutTestHost", ::GetModuleHandleA(nullptr));
    }
    HostMessageRecorder(const HostMessageRecorder&) = delete;
    HostMessageRecorder& operator=(const HostMessageRecorder&) = delete;

    static std::vector<std::pair<WPARAM, LPARAM>>& Received() { return s_received; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == s_message && s_message != 0) {
            s_received.emplace_back(wp, lp);
            return 0;
        }
        return ::DefWindowProcA(hwnd, msg, wp, lp);
    }

    static inline UINT s_message = 0;
    static inline std::vector<std::pair<WPARAM, LPARAM>> s_received;
    HWND m_hwnd = nullptr;
};

class TipLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The real pointer stays off the window: only the test's messages move it.
        ::SetCursorPos(1270, 1010);
        ASSERT_EQ(module.Create(), 0);
        window = module.Window();
        ASSERT_NE(window, nullptr);
        ts::PumpPaints(window);
    }
    void TearDown() override { module.Api().Free(); }

    // The child windows of class `cls` lying exactly on the given rectangle.
    std::vector<HWND> ChildrenAt(const char* cls, int left, int top, int width, int height) const
    {
        std::vector<HWND> found;
        for (HWND c = ::GetWindow(window, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            const RECT r = ts::ChildRect(c);
            if (lstrcmpiA(Host::ClassOf(c).c_str(), cls) == 0 && r.left == left && r.top == top && r.right - r.left == width &&
                r.bottom - r.top == height)
                found.push_back(c);
        }
        return found;
    }

    HWND Edit(int top) const { return module.Child("Edit", 93, top); }

    void MoveMouse(int x, int y) const { ::SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

    HCURSOR CursorAfterSetCursor() const
    {
        ::SetCursor(nullptr);
        ::SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    }

    ts::TipModule module;
    HWND window = nullptr;
};

struct WindowedControl {
    const char* name;
    const char* cls;
    int left, top, width, height;
    int count;   // windows on this place (the two memos share one)
    int visible; // of which visible
    LONG style;  // style bits that must be set
    LONG noStyle;
    COLORREF inside; // for edits and memos: the colour inside their flat border
};

// Lines wrap, so no horizontal scrolling; the help texts are no tab stops.
constexpr LONG kMemoStyle = WS_VSCROLL | ES_MULTILINE | ES_READONLY;
constexpr LONG kNotMemoStyle = ES_AUTOHSCROLL | WS_HSCROLL | WS_TABSTOP;
constexpr COLORREF kNoBorder = CLR_INVALID;

TEST_F(TipLayout, WindowedControlsLieAtTheirPlaces)
{
    const WindowedControl rows[] = {
        {"StaticTextTitle", "Static", 16, 8, 257, 33, 1, 1, 0, 0, kNoBorder},
        {"MemoHelpD and MemoHelpUS", "Edit", 16, 32, 259, 105, 2, 1, kMemoStyle, kNotMemoStyle, kMemo},
        {"PanelTopBorder", "TkWindow", 0, 0, 292, 5, 1, 1, 0, 0, kNoBorder},
        {"PanelBottomBorder", "TkWindow", 0, 421, 292, 5, 1, 1, 0, 0, kNoBorder},
        {"PanelLeftBorder", "TkWindow", 0, 5, 5, 416, 1, 1, 0, 0, kNoBorder},
        {"PanelRightBorder", "TkWindow", 287, 5, 5, 416, 1, 1, 0, 0, kNoBorder},
        {"T228_Edit_PagingDrive", "Edit", 93, 154, 25, 19, 1, 1, 0, ES_MULTILINE | ES_READONLY, kWhite},
        {"T228_Edit_PagingFile", "Edit", 93, 184, 180, 19, 1, 1, 0, ES_MULTILINE | ES_READONLY, kWhite},
    };
    const ts::Image image = ts::Image::Capture(window, true);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<HWND> found = ChildrenAt(row.cls, row.left, row.top, row.width, row.height);
        ASSERT_EQ(static_cast<int>(found.size()), row.count);
        int visible = 0;
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
            EXPECT_EQ(client.right, row.width - scrollBar);
            EXPECT_EQ(client.bottom, row.height);
        }
        EXPECT_EQ(visible, row.visible);
        if (row.inside == kNoBorder) continue;
        // A one-pixel line of one colour all round, set off from the inside and the window.
        const int middle = row.top + row.height / 2;
        const int centre = row.left + row.width / 2;
        const int right = row.left + row.width - 1;
        const int bottom = row.top + row.height - 1;
        const COLORREF line = image.Pixel(row.left, middle);
        EXPECT_GT(Distance(line, row.inside), 60) << Rgb(line);
        EXPECT_GT(Distance(line, kWhite), 60) << Rgb(line);
        EXPECT_EQ(Rgb(image.Pixel(centre, row.top)), Rgb(line));
        // Beside a vertical scroll bar the edit control leaves the right line to the bar.
        if (!(row.style & WS_VSCROLL)) {
            EXPECT_EQ(Rgb(image.Pixel(right, middle)), Rgb(line));
        }
        EXPECT_EQ(Rgb(image.Pixel(centre, bottom)), Rgb(line));
        EXPECT_EQ(Rgb(image.Pixel(row.left + 1, middle)), Rgb(row.inside)) << "the border is wider than one pixel";
        EXPECT_EQ(Rgb(image.Pixel(centre, row.top + 1)), Rgb(row.inside));
        EXPECT_EQ(Rgb(image.Pixel(row.left - 1, middle)), Rgb(kWhite));
    }
    // Nothing but these lies on the window.
    int children = 0;
    for (HWND c = ::GetWindow(window, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, 9);
}

TEST_F(TipLayout, GermanMemoShownAndEnglishMemoHidden)
{
    using HelpTextFn = const char*(__stdcall*)(int, int);
    auto helpText = reinterpret_cast<HelpTextFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("SorvHelp.dll"), "GetHelpText")));
    ASSERT_NE(helpText, nullptr);
    const std::vector<HWND> memos = ChildrenAt("Edit", 16, 32, 259, 105);
    ASSERT_EQ(memos.size(), 2u);
    HWND shown = ::IsWindowVisible(memos[0]) ? memos[0] : memos[1];
    HWND hidden = shown == memos[0] ? memos[1] : memos[0];
    ASSERT_FALSE(::IsWindowVisible(hidden));
    ASSERT_NE(helpText(211, 2), nullptr);
    EXPECT_EQ(ts::WindowText(shown), helpText(211, 2));
    EXPECT_EQ(ts::WindowText(hidden), helpText(211, 4));
}

TEST_F(TipLayout, FontsOfTitleEditsAndMemos)
{
    const struct {
        const char* name;
        HWND hwnd;
        int height;
        int weight;
    } rows[] = {
        {"title", module.Child("Static", 16, 8), -12, FW_BOLD},
        {"PagingDrive", Edit(154), -11, FW_NORMAL},
        {"PagingFile", Edit(184), -11, FW_NORMAL},
        {"memo", module.Child("Edit", 16, 32), -11, FW_NORMAL},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_NE(row.hwnd, nullptr);
        const LOGFONTA lf = FontOf(row.hwnd);
        EXPECT_STREQ(lf.lfFaceName, "Tahoma");
        EXPECT_EQ(lf.lfHeight, row.height);
        EXPECT_EQ(lf.lfWeight, row.weight);
        EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
    }
}

TEST_F(TipLayout, ColoursOfAFreshWindow)
{
    const ts::Image image = ts::Image::Capture(window, true);
    ASSERT_EQ(image.Width(), 292);
    ASSERT_EQ(image.Height(), 426);

    const struct {
        const char* what;
        RECT area;
        COLORREF color;
    } areas[] = {
        {"client background below the fields", {10, 220, 280, 370}, kWhite},
        {"client background between the buttons", {100, 385, 190, 415}, kWhite},
        {"top frame strip", {0, 0, 292, 5}, kFrame},
        {"bottom frame strip", {0, 421, 292, 426}, kFrame},
        {"left frame strip", {0, 5, 5, 421}, kFrame},
        {"right frame strip", {287, 5, 292, 421}, kFrame},
        {"German help memo", {17, 33, 257, 136}, kMemo},
    };
    for (const auto& a : areas) {
        SCOPED_TRACE(a.what);
        EXPECT_EQ(Rgb(MostFrequent(image, a.area)), Rgb(a.color));
    }
    // The strips are solid; the white background reaches up to them.
    EXPECT_EQ(CountNear(image, {0, 0, 292, 5}, kFrame, 0), 292 * 5);
    EXPECT_EQ(CountNear(image, {0, 5, 5, 421}, kFrame, 0), 5 * 416);
    EXPECT_EQ(image.Pixel(5, 220), kWhite);

    EXPECT_GT(CountNear(image, {16, 8, 273, 32}, kTitleText, 30), 20) << "title text is not dark blue";
    EXPECT_EQ(CountDark(image, {16, 8, 273, 32}), 0) << "title text is black";
    EXPECT_GT(CountDark(image, {18, 154, 79, 167}), 10) << "PagingDrive label";
    EXPECT_GT(CountDark(image, {18, 184, 70, 197}), 10) << "PagingFile label";
}

TEST_F(TipLayout, ButtonsShowTheirImagesAndTheHotImageUnderThePointer)
{
    const HCURSOR hand = ::LoadCursor(nullptr, IDC_HAND);
    const HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
    const int lefts[] = {16, 56, 200, 240}; // OK, Undo, Info, Registry
    auto tileAt = [](const ts::Image& image, int left) { return image.Pixel(left + 4, kButtonTop + 4); };

    const ts::Image fresh = ts::Image::Capture(window, true);
    for (int left : lefts)
        EXPECT_LE(Distance(tileAt(fresh, left), kNormalTile), kTileTolerance) << left << ": " << Rgb(tileAt(fresh, left));

    for (int hovered : lefts) {
        SCOPED_TRACE(hovered);
        MoveMouse(hovered + 18, kButtonTop + 18);
        const ts::Image hot = ts::Image::Capture(window, true);
        for (int left : lefts) {
            const COLORREF expected = left == hovered ? kHotTile : kNormalTile;
            EXPECT_LE(Distance(tileAt(hot, left), expected), kTileTolerance) << left << ": " << Rgb(tileAt(hot, left));
        }
        EXPECT_EQ(CursorAfterSetCursor(), hand);

        MoveMouse(150, 300);
        const ts::Image away = ts::Image::Capture(window, true);
        EXPECT_LE(Distance(tileAt(away, hovered), kNormalTile), kTileTolerance) << Rgb(tileAt(away, hovered));
        EXPECT_EQ(CursorAfterSetCursor(), arrow);
    }
}

// The memo lies in front of the title's lowest 9 pixels: the overlap shows the memo.
TEST_F(TipLayout, MemoCoversTheLowestPixelsOfTheTitle)
{
    const RECT title = ts::ChildRect(module.Child("Static", 16, 8));
    const RECT memo = ts::ChildRect(module.Child("Edit", 16, 32));
    ASSERT_EQ(title.bottom - memo.top, 9);

    RECT memoClient;
    ::GetClientRect(module.Child("Edit", 16, 32), &memoClient);

    const ts::Image image = ts::Image::Capture(window, true);
    // Inside the memo's border, left of its scroll bar.
    const RECT overlap{memo.left + 1, memo.top + 1, memo.left + memoClient.right - 1, title.bottom};
    EXPECT_EQ(Rgb(MostFrequent(image, overlap)), Rgb(kMemo));
    EXPECT_EQ(CountNear(image, overlap, kWhite, 0), 0);
    // Above the memo the title's own white background shows.
    EXPECT_EQ(Rgb(MostFrequent(image, {title.left, title.top, title.right, memo.top})), Rgb(kWhite));
}

TEST_F(TipLayout, TabCyclesThroughTheTwoEditsOnly)
{
    HWND drive = Edit(154);
    HWND file = Edit(184);
    ASSERT_NE(drive, nullptr);
    ASSERT_NE(file, nullptr);
    HWND memo = module.Child("Edit", 16, 32);
    ASSERT_NE(memo, nullptr);

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
    RECT r;
    ::GetWindowRect(window, &r);
    ::SetWindowPos(window, nullptr, 0, 0, r.right - r.left + 100, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ts::PumpMessages();

    const WindowedControl rows[] = {
        {"StaticTextTitle", "Static", 16, 8, 357, 33, 1, 1, 0, 0, kNoBorder},
        {"MemoHelpD and MemoHelpUS", "Edit", 16, 32, 359, 105, 2, 1, 0, 0, kNoBorder},
        {"PanelTopBorder", "TkWindow", 0, 0, 392, 5, 1, 1, 0, 0, kNoBorder},
        {"PanelBottomBorder", "TkWindow", 0, 421, 392, 5, 1, 1, 0, 0, kNoBorder},
        {"PanelLeftBorder", "TkWindow", 0, 5, 5, 416, 1, 1, 0, 0, kNoBorder},
        {"PanelRightBorder", "TkWindow", 387, 5, 5, 416, 1, 1, 0, 0, kNoBorder},
        {"T228_Edit_PagingDrive", "Edit", 93, 154, 25, 19, 1, 1, 0, 0, kNoBorder},
        {"T228_Edit_PagingFile", "Edit", 93, 184, 180, 19, 1, 1, 0, 0, kNoBorder},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(static_cast<int>(ChildrenAt(row.cls, row.left, row.top, row.width, row.height).size()), row.count);
    }

    const ts::Image image = ts::Image::Capture(window, true);
    ASSERT_EQ(image.Width(), 392);
    const struct {
        const char* what;
        int left;
        COLORREF color;
    } buttons[] = {
        {"OK stays", 16, kNormalTile},      {"Undo stays", 56, kNormalTile},
        {"Info moved", 300, kNormalTile},   {"Registry moved", 340, kNormalTile},
        {"Info's old place", 200, kWhite},  {"Registry's old place", 240, kWhite},
    };
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.what);
        const COLORREF seen = image.Pixel(b.left + 4, kButtonTop + 4);
        EXPECT_LE(Distance(seen, b.color), kTileTolerance) << Rgb(seen);
        EXPECT_EQ(CountNear(image, {b.left + 2, kButtonTop + 2, b.left + 34, kButtonTop + 34}, kWhite, 0) == 32 * 32,
                  b.color == kWhite);
    }

    // The pointer finds Info at its new place.
    MoveMouse(318, kButtonTop + 18);
    const ts::Image hot = ts::Image::Capture(window, true);
    EXPECT_LE(Distance(hot.Pixel(304, kButtonTop + 4), kHotTile), kTileTolerance) << Rgb(hot.Pixel(304, kButtonTop + 4));
}

TEST_F(TipLayout, F12BroadcastsTheSwitchWindowNotice)
{
    HostMessageRecorder host;
    const struct {
        const char* focus;
        HWND hwnd;
    } rows[] = {
        {"PagingDrive", Edit(154)},
        {"PagingFile", Edit(184)},
        {"the German memo", module.Child("Edit", 16, 32)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.focus);
        ASSERT_NE(row.hwnd, nullptr);
        HostMessageRecorder::Received().clear();
        ::SetFocus(row.hwnd);
        ASSERT_EQ(::GetFocus(), row.hwnd);
        ::SendMessageA(row.hwnd, WM_KEYDOWN, VK_F12, 0);
        ts::PumpMessages();
        ASSERT_EQ(HostMessageRecorder::Received().size(), 1u);
        EXPECT_EQ(HostMessageRecorder::Received()[0].first, 200u);
        EXPECT_EQ(HostMessageRecorder::Received()[0].second, 0);
    }
    // Other keys send nothing.
    HostMessageRecorder::Received().clear();
    ::SendMessageA(Edit(154), WM_KEYDOWN, VK_F11, 0);
    EXPECT_TRUE(HostMessageRecorder::Received().empty());
}

} // namespace
