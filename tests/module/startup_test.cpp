// Start-up of the real tip window: the stored preference and the operating-system check
// that may disable it, the screen resolution, the title line and the help texts.
#include "contract/Settings.h"
#include "host/script/ImportPatch.h"
#include "host/script/WindowLookup.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/MessageParty.h"
#include "tests/support/Pixels.h"
#include "tests/support/Pump.h"
#include "tests/support/Registry.h"
#include "tests/support/TipModule.h"
#include "toolkit/gdi/Font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace tip = ts::tip;

constexpr char kLayoutCaption[] = "Auslagerungsdatei verlegen/umbenennen";
constexpr char kHostCaption[] = "Paging file, host's own caption";

// The settings key as the module sees it when it can neither open nor create it.
LONG WINAPI RefuseCreateKey(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD)
{
    return ERROR_ACCESS_DENIED;
}

// The preference key as it was before the test, after it.
class PreferenceTest : public testing::Test {
protected:
    ts::SavedRegistryKey settings{Settings::kKey};
};

// ---------------------------------------------------------------------------------------
// What the window looks like at the end of its creation handler

// Taken when ModulCreate gives the window the host's caption: creation has run to its end,
// and the host's position and size are not applied yet.
struct CreationSnapshot {
    bool taken = false;
    std::string title;
    SIZE client{};
};

struct SnapshotHook {
    static inline CreationSnapshot* target = nullptr;
    static inline void* original = nullptr;

    static BOOL WINAPI Fake(HWND hwnd, LPCSTR text)
    {
        if (target && !target->taken && text && std::strcmp(text, kHostCaption) == 0 && !::GetParent(hwnd)) {
            target->taken = true;
            target->title = ts::WindowText(Host::NthChild(hwnd, tip::kTitle.windowClass, 1));
            RECT r{};
            ::GetClientRect(hwnd, &r);
            target->client = {r.right, r.bottom};
        }
        return reinterpret_cast<BOOL(WINAPI*)(HWND, LPCSTR)>(original)(hwnd, text);
    }
};

class SnapshotAtHostCaption {
public:
    explicit SnapshotAtHostCaption(const ts::TipModule& module)
        : m_patch(module.Library(), "user32.dll", "SetWindowTextA", reinterpret_cast<void*>(&SnapshotHook::Fake))
    {
        SnapshotHook::original = m_patch.Original();
        SnapshotHook::target = &m_snapshot;
    }
    ~SnapshotAtHostCaption() { SnapshotHook::target = nullptr; }
    const CreationSnapshot& Get() const { return m_snapshot; }

private:
    CreationSnapshot m_snapshot;
    Host::ImportPatch m_patch;
};

// Notes for each message box of the module whether the tip window was visible then. Put
// over a MessageBoxRecorder of the module, which still records and answers the box.
struct VisibilityAtBoxes {
    static inline HMODULE library = nullptr;
    static inline void* original = nullptr;
    static inline std::vector<bool> visible;

    static int WINAPI Fake(HWND owner, LPCSTR text, LPCSTR caption, UINT flags)
    {
        bool any = false;
        for (HWND window : Host::ThreadWindows())
            any = any || (reinterpret_cast<HMODULE>(::GetWindowLongPtrA(window, GWLP_HINSTANCE)) == library &&
                          ::IsWindowVisible(window));
        visible.push_back(any);
        return reinterpret_cast<int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT)>(original)(owner, text, caption, flags);
    }
};

// ---------------------------------------------------------------------------------------
// Reading the window

std::string Describe(const std::string& what, RECT r)
{
    char text[160];
    std::snprintf(text, sizeof text, "%s %ld,%ld %ldx%ld", what.c_str(), r.left, r.top, r.right - r.left,
                  r.bottom - r.top);
    return text;
}

std::string Describe(HWND child) { return Describe(Host::ClassOf(child), Host::ChildRect(child)); }

// Text in the window's text colour (black) rather than in the grey of disabled text.
bool HasBlackInk(const ts::Image& image, RECT area) { return ts::CountNear(image, area, ts::kBlack, 0x3F) > 0; }

bool HasInk(const ts::Image& image, RECT area) { return ts::CountNear(image, area, ts::kWhite) < ts::PixelsOf(area); }

// Controls that stay enabled on a window the operating-system check disabled.
bool StaysEnabled(const ts::TipControl& control)
{
    for (const ts::TipControl& c : {tip::kTitle, tip::kMemoGerman, tip::kMemoEnglish, tip::kInfo, tip::kRegistry})
        if (std::strcmp(c.name, control.name) == 0) return true;
    return false;
}

// The enabled state of every control of the paging-file tip. Windowless buttons count as
// enabled when their image is drawn in colour, windowless labels when their text is black.
std::map<std::string, bool> EnabledStates(const ts::TipModule& module)
{
    const ts::Memos memos = ts::FindMemos(module.Window());
    ts::PumpMessages();
    const ts::Image image = ts::Image::Capture(module.Window(), true);
    std::map<std::string, bool> states;
    auto windowed = [&](const char* name, HWND hwnd) {
        if (hwnd) states[name] = ::IsWindowEnabled(hwnd) != FALSE;
    };
    // The memos share a place: each is known by its text.
    const std::map<std::string, HWND> memo{{tip::kMemoGerman.name, memos.german},
                                           {tip::kMemoEnglish.name, memos.english}};
    for (const ts::TipControl& c : tip::kControls)
        if (c.windowClass) windowed(c.name, memo.count(c.name) ? memo.at(c.name) : module.Child(c));
    for (const ts::TipControl& button : tip::kButtons) states[button.name] = ts::HasColour(image, button.Rect());
    for (const ts::TipControl& label : {tip::kPagingDriveLabel, tip::kPagingFileLabel})
        states[label.name] = HasBlackInk(image, label.Rect());
    // A control that drew nothing at all says nothing about its state.
    EXPECT_TRUE(HasInk(image, tip::kOK.Rect()) && HasInk(image, tip::kPagingDriveLabel.Rect()));
    return states;
}

std::map<std::string, bool> ExpectedStates(bool disabled)
{
    std::map<std::string, bool> states;
    for (const ts::TipControl& c : tip::kControls) states[c.name] = !disabled || StaysEnabled(c);
    return states;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Preference and operating-system check

TEST_F(PreferenceTest, PreferenceAndSystemDecideWhetherTheWindowIsDisabled)
{
    enum class Stored { NoKey, NoValue, Value, Unopenable };
    struct Row {
        int osType;
        int osMask;
        Stored stored;
        std::optional<ts::RegistryValue> value;
        bool supported;
    };
    const int all = -1; // every bit of OSMask set
    const Row rows[] = {
        {10, 0x200, Stored::NoKey, std::nullopt, true},
        {10, 0x400, Stored::NoKey, std::nullopt, false},
        {10, 0x400, Stored::NoValue, std::nullopt, false},
        {10, 0x400, Stored::Value, ts::Dword(0), true},
        {10, 0x400, Stored::Value, ts::Dword(1), false},
        {10, 0x400, Stored::Value, ts::Dword(5), false},
        {10, 0x400, Stored::Value, ts::String("0"), false}, // unreadable: counts as missing
        {10, 0x400, Stored::Value, ts::Binary({0, 0, 0, 0}), false},
        {10, 0x400, Stored::Value, ts::Dword(0xFFFFFFFF), false},
        {10, 0x400, Stored::Unopenable, std::nullopt, false},
        {10, 0x200, Stored::Unopenable, std::nullopt, true},
        {10, 0x200, Stored::Value, ts::Dword(0), true},
        {0, all, Stored::NoValue, std::nullopt, false},
        {19, all, Stored::Value, ts::Dword(1), false},
        {-1, all, Stored::NoKey, std::nullopt, false},
        {0, all, Stored::Value, ts::Dword(0), true},
        {19, all, Stored::Value, ts::Dword(0), true},
        {-1, all, Stored::Value, ts::Dword(0), true},
        {18, 0x20000, Stored::NoValue, std::nullopt, true},
        {18, 0x1FFFF, Stored::NoValue, std::nullopt, false},
    };

    for (const Row& row : rows) {
        std::string stored = row.stored == Stored::NoKey     ? "no key"
                             : row.stored == Stored::NoValue ? "no value"
                                                             : "unopenable";
        if (row.value && row.value->type == REG_DWORD)
            stored = "REG_DWORD " + std::to_string(*reinterpret_cast<const DWORD*>(row.value->data.data()));
        if (row.value && row.value->type == REG_BINARY) stored = "REG_BINARY";
        if (row.value && row.value->type == REG_SZ)
            stored = "REG_SZ \"" + std::string(row.value->data.begin(), row.value->data.end() - 1) + "\"";
        SCOPED_TRACE(testing::Message() << "OSType " << row.osType << ", OSMask 0x" << std::hex << row.osMask
                                        << std::dec << ", BSControl " << stored);
        switch (row.stored) {
        case Stored::NoKey:
        case Stored::Unopenable: ::RegDeleteKeyA(HKEY_CURRENT_USER, Settings::kKey); break;
        case Stored::NoValue: ts::WriteRegistryValue(Settings::kKey, Settings::kBSControl, std::nullopt); break;
        case Stored::Value: ts::WriteRegistryValue(Settings::kKey, Settings::kBSControl, row.value); break;
        }
        const bool unopenable = row.stored == Stored::Unopenable;
        ASSERT_EQ(ts::RegistryKeyExists(Settings::kKey), row.stored != Stored::NoKey && !unopenable);

        ts::TipModule module;
        std::optional<Host::ImportPatch> refuse;
        if (unopenable)
            refuse.emplace(module.Library(), "advapi32.dll", "RegCreateKeyExA",
                           reinterpret_cast<void*>(&RefuseCreateKey));
        ts::MessageBoxRecorder boxes(module.Library());
        boxes.SetAnswer(IDNO); // never agree to a restart
        SnapshotAtHostCaption snapshot(module);
        ts::MessageParty party;
        ts::CreateArgs args;
        args.osType = row.osType;
        args.osMask = row.osMask;
        args.caption = kHostCaption;
        ASSERT_EQ(module.Create(args), 0);
        HWND window = module.Window();
        ASSERT_NE(window, nullptr);

        // Start-up ran to its end without a report, and the key exists from now on.
        EXPECT_EQ(ts::RegistryKeyExists(Settings::kKey), !unopenable);
        EXPECT_EQ(ts::ReadRegistryValue(Settings::kKey, Settings::kBSControl), row.value);
        EXPECT_TRUE(boxes.Texts().empty()) << boxes.Texts().front();
        EXPECT_TRUE(snapshot.Get().taken);
        EXPECT_EQ(snapshot.Get().title, kLayoutCaption);
        EXPECT_EQ(ts::WindowText(module.Child(tip::kTitle)), kHostCaption);

        EXPECT_EQ(EnabledStates(module), ExpectedStates(!row.supported));

        // A disabled OK or Undo does not react to a click; the menu entry's shortcut
        // still works and broadcasts the window switch.
        party.Clear();
        if (!row.supported) ts::Click(window, tip::kOK);
        ts::Click(window, tip::kUndo);
        EXPECT_EQ(module.Api().Nr(), row.supported ? 1 : 2);
        ::SendMessageA(window, WM_KEYDOWN, VK_F12, 0);
        ::SendMessageA(window, WM_KEYUP, VK_F12, 0);
        ts::PumpMessages();
        EXPECT_EQ(party.Received(), (std::vector<ts::ReceivedMessage>{{200, 0}}));
        EXPECT_TRUE(boxes.Texts().empty());
        EXPECT_EQ(module.Api().Free(), 1);
    }
}

// ---------------------------------------------------------------------------------------
// Screen resolution

namespace {

constexpr char kChildVariable[] = "TIPP211_RESOLUTION_CHILD";
constexpr DWORD kChildPassed = 70;
constexpr DWORD kChildWrongResolution = 71;

// Ends the process with the exception's code, without a debugger.
LONG WINAPI EndWithoutDebugger(EXCEPTION_POINTERS*) { return EXCEPTION_EXECUTE_HANDLER; }

// Runs this test program's resolution child in `mode` and returns its exit code.
DWORD RunChild(const char* mode) { return ts::RunChildProcess("StartupResolutionChild.*", kChildVariable, mode); }

// Creates the window at the screen's resolution `dpi` and checks that everything was
// scaled by 96/dpi, after one message "Big" before the window was shown, or, at 96, that
// nothing was shown or scaled.
void CheckStartupAt(int dpi)
{
    ts::TipModule module;
    ts::MessageBoxRecorder boxes(module.Library());
    VisibilityAtBoxes::library = module.Library();
    VisibilityAtBoxes::visible.clear();
    Host::ImportPatch boxWatch(module.Library(), "user32.dll", "MessageBoxA",
                               reinterpret_cast<void*>(&VisibilityAtBoxes::Fake));
    VisibilityAtBoxes::original = boxWatch.Original();
    SnapshotAtHostCaption snapshot(module);

    // The host sizes the window for the scaled client area, so that what creation left
    // stays in place.
    const SIZE client{::MulDiv(ts::TipControl::kClient.cx, 96, dpi), ::MulDiv(ts::TipControl::kClient.cy, 96, dpi)};
    const SIZE outer = ts::TipWindowSize(client);
    ts::CreateArgs args;
    args.caption = kHostCaption;
    args.width = outer.cx;
    args.height = outer.cy;
    ASSERT_EQ(module.Create(args), 0);
    HWND window = module.Window();
    ASSERT_NE(window, nullptr);
    ts::PumpMessages();

    if (dpi == 96) {
        EXPECT_TRUE(boxes.Texts().empty());
    } else {
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Big"});
        EXPECT_EQ(VisibilityAtBoxes::visible, std::vector<bool>{false});
    }

    ASSERT_TRUE(snapshot.Get().taken);
    EXPECT_EQ(snapshot.Get().client.cx, client.cx);
    EXPECT_EQ(snapshot.Get().client.cy, client.cy);
    EXPECT_EQ(snapshot.Get().title, kLayoutCaption);
    RECT now{};
    ::GetClientRect(window, &now);
    EXPECT_EQ(now.right, client.cx);
    EXPECT_EQ(now.bottom, client.cy);

    // Every windowed control, with its place and size in the layout; the bevels are
    // aligned to the edges.
    std::vector<std::string> expected, actual;
    for (const ts::TipControl& c : tip::kControls)
        if (c.windowClass) expected.push_back(Describe(c.windowClass, c.In(client, dpi)));
    for (HWND child : ts::Children(window)) actual.push_back(Describe(child));
    std::sort(expected.begin(), expected.end());
    std::sort(actual.begin(), actual.end());
    EXPECT_EQ(actual, expected);

    // Fonts: the title's own, and the window's, which memos and edits take.
    for (HWND child : ts::Children(window)) {
        const std::string cls = Host::ClassOf(child);
        const int design = cls == "Static" ? -12 : cls == "Edit" ? -11 : 0;
        if (design) {
            EXPECT_EQ(ts::FontOf(child).lfHeight, ::MulDiv(design, 96, dpi)) << Describe(child);
        }
    }

    // The windowless buttons: their hint areas are their bounds.
    std::vector<std::string> expectedTools, actualTools;
    for (const ts::TipControl& button : tip::kButtons)
        expectedTools.push_back(Describe("tool", button.In(client, dpi)));
    for (const ts::Tool& tool : ts::ToolsOf(ts::TooltipOf(window))) actualTools.push_back(Describe("tool", tool.rect));
    std::sort(expectedTools.begin(), expectedTools.end());
    std::sort(actualTools.begin(), actualTools.end());
    EXPECT_EQ(actualTools, expectedTools);

    // The windowless labels draw their text in their own bounds only.
    const ts::Image image = ts::Image::Capture(window, true);
    for (const ts::TipControl& label : {tip::kPagingDriveLabel, tip::kPagingFileLabel}) {
        EXPECT_TRUE(HasBlackInk(image, label.In(client, dpi))) << Describe(label.name, label.In(client, dpi));
    }
    const RECT belowLabels{tip::kPagingFileLabel.In(client, dpi).left, tip::kPagingFileLabel.In(client, dpi).bottom,
                           tip::kPagingFile.In(client, dpi).left, tip::kOK.In(client, dpi).top};
    ASSERT_GT(ts::PixelsOf(belowLabels), 0);
    EXPECT_FALSE(HasInk(image, belowLabels)) << Describe("below the labels", belowLabels);
}

} // namespace

TEST(StartupResolution, At96NothingIsShownOrScaled)
{
    ASSERT_EQ(tk::ScreenPixelsPerInch(), 96) << "Wine's default resolution";
    CheckStartupAt(96);
}

TEST(StartupResolution, At72And120And144TheWindowScalesOnce)
{
    for (int dpi : {72, 120, 144}) {
        DWORD code;
        {
            ts::ResolutionOverride at(dpi);
            code = RunChild(std::to_string(dpi).c_str());
        }
        EXPECT_EQ(code, kChildPassed) << dpi << " pixels per inch: the child's own output above says what failed";
    }
}

TEST(StartupResolution, ResolutionComesBackWhenTheChildCrashes)
{
    using Override = ts::ResolutionOverride;
    const ts::SavedRegistryKey original(Override::kKey);
    for (const std::optional<ts::RegistryValue>& before :
         {std::optional(ts::Dword(96)), std::optional<ts::RegistryValue>()}) {
        ts::WriteRegistryValue(Override::kKey, Override::kValue, before);
        DWORD code;
        {
            Override at120(120);
            code = RunChild("crash");
        }
        EXPECT_EQ(code, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
        EXPECT_EQ(ts::ReadRegistryValue(Override::kKey, Override::kValue), before);
    }
}

// Runs only as the child of the tests above, in a process that Wine started at the
// resolution its mode names ("crash": at 120). Exits with kChildPassed when every check held.
TEST(StartupResolutionChild, AtTheResolutionOfItsMode)
{
    const char* mode = std::getenv(kChildVariable);
    if (!mode) GTEST_SKIP() << "runs as the child of StartupResolution only";
    const bool crash = std::strcmp(mode, "crash") == 0;
    const int dpi = crash ? 120 : std::atoi(mode);
    if (tk::ScreenPixelsPerInch() != dpi) ::ExitProcess(kChildWrongResolution);
    if (crash) {
        ts::TipModule module;
        ts::MessageBoxRecorder boxes(module.Library());
        module.Create();
        ::SetUnhandledExceptionFilter(EndWithoutDebugger);
        ::RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    }
    CheckStartupAt(dpi);
    std::fflush(stdout);
    ::ExitProcess(HasFailure() ? 1 : kChildPassed);
}

// ---------------------------------------------------------------------------------------
// Title line and help texts

TEST(StartupTexts, TitleShowsTheHostCaptionAndMemosTheLibrarysTexts)
{
    ts::TipModule module;
    ts::CreateArgs args;
    args.caption = kHostCaption;
    ASSERT_EQ(module.Create(args), 0);
    EXPECT_EQ(ts::WindowText(module.Child(tip::kTitle)), kHostCaption);

    const std::string german = ts::LibraryHelpText(211, 2), english = ts::LibraryHelpText(211, 4);
    ASSERT_NE(german.find("\r\n"), std::string::npos);
    ASSERT_NE(english.find("\r\n"), std::string::npos);
    ASSERT_NE(german, english);
    const ts::Memos memos = ts::FindMemos(module.Window());
    ASSERT_NE(memos.german, nullptr) << "no memo holds the German help text";
    ASSERT_NE(memos.english, nullptr) << "no memo holds the English help text";
    for (HWND memo : {memos.german, memos.english}) EXPECT_GT(::SendMessageA(memo, EM_GETLINECOUNT, 0, 0), 1);
}

TEST(StartupTexts, UnknownTipLeavesBothMemosEmpty)
{
    ts::TipModule module;
    ts::CreateArgs args;
    args.tippNr = 999;
    ASSERT_EQ(module.Create(args), 0);
    ASSERT_NE(module.Window(), nullptr);
    ASSERT_EQ(ts::LibraryHelpText(999, 2), "");
    const std::vector<HWND> memos =
        ts::ChildrenOn(module.Window(), tip::kMemoGerman.windowClass, tip::kMemoGerman.Rect());
    EXPECT_EQ(memos.size(), 2u);
    for (HWND memo : memos) EXPECT_EQ(ts::WindowText(memo), "");
}

TEST(StartupTexts, ShowingAgainReloadsBothHelpTexts)
{
    ts::TipModule module;
    ts::MessageBoxRecorder boxes(module.Library());
    ts::MessageParty party;
    ASSERT_EQ(module.Create(), 0);
    HWND window = module.Window();
    const ts::Memos memos = ts::FindMemos(module.Window());
    ASSERT_TRUE(memos.german && memos.english);

    for (int round = 0; round < 2; ++round) {
        ::ShowWindow(window, SW_HIDE);
        ::SendMessageA(memos.german, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        ::SendMessageA(memos.english, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("stale"));
        party.Broadcast(200, 0);
        ts::PumpMessages();
        EXPECT_TRUE(::IsWindowVisible(window));
        EXPECT_EQ(ts::WindowText(memos.german), ts::LibraryHelpText(211, 2));
        EXPECT_EQ(ts::WindowText(memos.english), ts::LibraryHelpText(211, 4));
    }
    // Shown already: a further show command loads nothing.
    ::SendMessageA(memos.german, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("kept"));
    party.Broadcast(200, 0);
    ts::PumpMessages();
    EXPECT_EQ(ts::WindowText(memos.german), "kept");
    EXPECT_TRUE(boxes.Texts().empty());
}
