// The language switch of the real tip window: the command buttons' hints, the context
// menu entry and the choice of help text, in German for every language but 1.
#include "tests/support/TipModule.h"
#include "toolkit/Handles.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/Pump.h"
#include "tests/support/WindowCapture.h"

#include <commctrl.h>
#include <gtest/gtest.h>

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

const Texts kEnglish{{{"OK", "Changes will be saved immediately"},
                      {"Undo", "Restore defaults"},
                      {"Info", "Valid to ..."},
                      {"Registry", "Registry Lookup"}},
                     "Change Window",
                     false,
                     true};

const Texts kGerman{{{"OK", "\xC4nderungen werden gespeichert"},
                     {"Undo", "Setzt alles wieder auf die Standartwerte"},
                     {"Info", "G\xFCltig f\xFCr ... "},
                     {"Registry", "Wert in der Registry nachschlagen"}},
                    "Fenster wechseln",
                    true,
                    false};

// ---------------------------------------------------------------------------------------
// Hints, read from the tooltip window that the tip window made for them

// The hint of each command button, known by the button's left edge.
std::map<std::string, std::string> ButtonHints(HWND window)
{
    static const std::map<LONG, std::string> buttons{{16, "OK"}, {56, "Undo"}, {200, "Info"}, {240, "Registry"}};
    std::map<std::string, std::string> hints;
    HWND tooltip = ts::TooltipOf(window);
    if (!tooltip) return hints;
    for (const ts::Tool& tool : ts::ToolsOf(tooltip)) {
        const auto it = buttons.find(tool.rect.left);
        std::string name = "tool at ";
        name += std::to_string(tool.rect.left);
        hints[it != buttons.end() && tool.rect.top == 381 ? it->second : name] = tool.text;
    }
    return hints;
}

// ---------------------------------------------------------------------------------------
// The context menu, read while it is open

struct MenuReader {
    static inline std::vector<std::string> items;
    static inline int ticks = 0;

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
        if (menu || ++ticks > 40) ::EndMenu();
    }

    // The entries of the window's context menu, each as "caption<Tab>shortcut".
    static std::vector<std::string> Read(HWND window)
    {
        items.clear();
        ticks = 0;
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

// The memo showing `text` of the two that lie on the same place.
HWND MemoHolding(HWND window, const std::string& text)
{
    for (HWND c = ::GetWindow(window, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        const RECT r = ts::ChildRect(c);
        if (r.left == 16 && r.top == 32 && ts::WindowText(c) == text) return c;
    }
    return nullptr;
}

std::string HelpText(int kind)
{
    using Fn = const char*(__stdcall*)(int, int);
    HMODULE library = ::GetModuleHandleA("SorvHelp.dll");
    auto fn = library ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(library, "GetHelpText"))) : nullptr;
    const char* text = fn ? fn(211, kind) : nullptr;
    return text ? text : "";
}

Texts Observe(HWND window)
{
    Texts t;
    t.hints = ButtonHints(window);
    t.menu = MenuCaption(window);
    t.germanHelpVisible = ::IsWindowVisible(MemoHolding(window, HelpText(2))) != FALSE;
    t.englishHelpVisible = ::IsWindowVisible(MemoHolding(window, HelpText(4))) != FALSE;
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

constexpr RECT kLabelPagingDrive{18, 154, 79, 167};
constexpr RECT kLabelPagingFile{18, 184, 70, 197};

void ExpectLabels(HWND window)
{
    ts::PumpMessages();
    const ts::Image client = ts::Image::Capture(window, true);
    EXPECT_TRUE(ShowsLabel(client, kLabelPagingDrive, "PagingDrive:"));
    EXPECT_TRUE(ShowsLabel(client, kLabelPagingFile, "PagingFile:"));
    // The comparison tells texts apart.
    EXPECT_FALSE(ShowsLabel(client, kLabelPagingDrive, "PagingFile:"));
    EXPECT_FALSE(ShowsLabel(client, kLabelPagingFile, "PagingFile"));
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
        ASSERT_FALSE(HelpText(2).empty());
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
