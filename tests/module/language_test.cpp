// The language switch of the real tip window: the command buttons' hints, the context
// menu entry and the choice of help text, in German for every language but 1.
#include "tests/support/MessageBoxes.h"
#include "tests/support/Pump.h"
#include "tests/support/TipModule.h"
#include "tests/support/WindowCapture.h"
#include "toolkit/base/Handles.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>

#include <map>
#include <string>
#include <vector>

namespace {

struct Texts {
    std::map<std::string, std::string> hints; // by button
    std::string menu;                         // the context menu's one entry
    bool germanHelpVisible;
    bool englishHelpVisible;
    bool operator==(const Texts&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Texts& t)
{
    for (const auto& [button, hint] : t.hints) os << button << " \"" << hint << "\", ";
    return os << "menu \"" << t.menu << "\", German help " << (t.germanHelpVisible ? "shown" : "hidden")
              << ", English help " << (t.englishHelpVisible ? "shown" : "hidden");
}

namespace tip = ts::tip;

const Texts kEnglish{{{tip::kOK.name, "Changes will be saved immediately"},
                      {tip::kUndo.name, "Restore defaults"},
                      {tip::kInfo.name, "Valid to ..."},
                      {tip::kRegistry.name, "Registry Lookup"}},
                     "Change Window",
                     false,
                     true};

const Texts kGerman{{{tip::kOK.name, "\xC4nderungen werden gespeichert"},
                     {tip::kUndo.name, "Setzt alles wieder auf die Standartwerte"},
                     {tip::kInfo.name, "G\xFCltig f\xFCr ... "},
                     {tip::kRegistry.name, "Wert in der Registry nachschlagen"}},
                    "Fenster wechseln",
                    true,
                    false};

// ---------------------------------------------------------------------------------------
// Hints, read from the tooltip window that the tip window made for them

// The hint of each command button, known by the area it covers.
std::map<std::string, std::string> ButtonHints(HWND window)
{
    std::map<std::string, std::string> hints;
    HWND tooltip = ts::TooltipOf(window);
    if (!tooltip) return hints;
    for (const ts::Tool& tool : ts::ToolsOf(tooltip)) {
        std::string name = "tool at " + std::to_string(tool.rect.left) + "," + std::to_string(tool.rect.top);
        for (const ts::TipControl& button : tip::kButtons) {
            const RECT bounds = button.Rect();
            if (::EqualRect(&bounds, &tool.rect)) name = button.name;
        }
        hints[name] = tool.text;
    }
    return hints;
}

// ---------------------------------------------------------------------------------------
// The context menu, read while it is open

struct MenuReader {
    static inline std::vector<std::string> items;
    static inline std::chrono::steady_clock::time_point deadline;

    // Runs in the menu's own message loop: reads the open menu, then closes it.
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND popup = ::FindWindowA("#32768", nullptr);
        HMENU menu = popup && ::IsWindowVisible(popup)
                         ? reinterpret_cast<HMENU>(::SendMessageA(popup, MN_GETHMENU, 0, 0))
                         : nullptr;
        if (menu && items.empty()) {
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
                char text[256] = {};
                ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
                items.push_back(text);
            }
        }
        if (menu || std::chrono::steady_clock::now() > deadline) ::EndMenu();
    }

    // The entries of the window's context menu, each as "caption<Tab>shortcut".
    static std::vector<std::string> Read(HWND window)
    {
        items.clear();
        deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ts::kDeadlineMs);
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, Tick);
        POINT pt{100, 250};
        ::ClientToScreen(window, &pt);
        ::SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(pt.x, pt.y));
        ::KillTimer(nullptr, timer);
        ts::PumpMessages();
        return items;
    }
};

std::string MenuCaption(HWND window)
{
    const std::vector<std::string> items = MenuReader::Read(window);
    if (items.size() != 1) {
        std::string count = std::to_string(items.size());
        count += " menu entries";
        return count;
    }
    return items.front().substr(0, items.front().find('\t'));
}

// ---------------------------------------------------------------------------------------
// Memos and labels

Texts Observe(HWND window)
{
    Texts t;
    t.hints = ButtonHints(window);
    t.menu = MenuCaption(window);
    const ts::Memos memos = ts::FindMemos(window);
    t.germanHelpVisible = ::IsWindowVisible(memos.german) != FALSE;
    t.englishHelpVisible = ::IsWindowVisible(memos.english) != FALSE;
    return t;
}

// `text` drawn as a label of the tip draws it: Tahoma 8 point in the window text colour
// on the white client area.
ts::Image RenderLabel(const char* text, int width, int height)
{
    return ts::Image::Render(width, height, RGB(255, 255, 255), [&](HDC dc) {
        tk::UniqueFont font(::CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                          "Tahoma"));
        tk::SelectedObject selectFont(dc, font.get());
        RECT r{0, 0, width, height};
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        ::DrawTextA(dc, text, -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    });
}

// Whether the client area shows `text` at the label's place.
bool ShowsLabel(const ts::Image& client, RECT label, const char* text)
{
    const ts::Image expected = RenderLabel(text, label.right - label.left, label.bottom - label.top);
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x)
            if (client.Pixel(label.left + x, label.top + y) != expected.Pixel(x, y)) return false;
    return true;
}

void ExpectLabels(HWND window)
{
    ts::PumpMessages();
    const ts::Image client = ts::Image::Capture(window, true);
    const RECT drive = tip::kPagingDriveLabel.Rect(), file = tip::kPagingFileLabel.Rect();
    EXPECT_TRUE(ShowsLabel(client, drive, "PagingDrive:"));
    EXPECT_TRUE(ShowsLabel(client, file, "PagingFile:"));
    // The comparison tells texts apart.
    EXPECT_FALSE(ShowsLabel(client, drive, "PagingFile:"));
    EXPECT_FALSE(ShowsLabel(client, file, "PagingFile"));
}

} // namespace

TEST(Language, OneSelectsEnglishEveryOtherValueGerman)
{
    for (int language : {1, 0, 2, -1}) {
        SCOPED_TRACE(testing::Message() << "Language " << language);
        ts::TipModule module;
        ts::MessageBoxRecorder boxes(module.Library());
        ts::CreateArgs args;
        args.language = language;
        ASSERT_EQ(module.Create(args), 0);
        HWND window = module.Window();
        ASSERT_NE(window, nullptr);
        ASSERT_FALSE(ts::LibraryHelpText(211, 2).empty());
        EXPECT_EQ(Observe(window), language == 1 ? kEnglish : kGerman);
        ExpectLabels(window);
        EXPECT_TRUE(boxes.Texts().empty());
    }
}

TEST(Language, SecondCreateInTheSameLoadLeavesOnlyItsLanguage)
{
    const std::pair<int, int> orders[] = {{1, 0}, {0, 1}};
    for (const auto& [first, second] : orders) {
        SCOPED_TRACE(testing::Message() << "Language " << first << " then " << second);
        ts::TipModule module;
        ts::MessageBoxRecorder boxes(module.Library());
        ts::CreateArgs args;
        args.language = first;
        ASSERT_EQ(module.Create(args), 0);
        ASSERT_NE(module.Window(), nullptr);
        EXPECT_EQ(Observe(module.Window()), first == 1 ? kEnglish : kGerman);
        args.language = second;
        ASSERT_EQ(module.Create(args), 0);
        HWND window = module.Window();
        ASSERT_NE(window, nullptr) << "exactly one tip window";
        EXPECT_EQ(Observe(window), second == 1 ? kEnglish : kGerman);
        ExpectLabels(window);
        EXPECT_TRUE(boxes.Texts().empty());
    }
}
