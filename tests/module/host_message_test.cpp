// The host window message "Kelvamo" between the real Tipp211.dll and another party on the
// desktop: a window of the test's own that broadcasts commands and records what it gets.
#include "tests/support/MessageBoxes.h"
#include "tests/support/MessageParty.h"
#include "tests/support/Pump.h"
#include "tests/support/TipModule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <ostream>
#include <random>
#include <vector>

namespace ts {
std::ostream& operator<<(std::ostream& os, const ReceivedMessage& m)
{
    return os << "(" << m.wParam << ", " << m.lParam << ")";
}
} // namespace ts

namespace {

using Messages = std::vector<ts::ReceivedMessage>;

constexpr char kRangeError[] = "Range check error";
constexpr LPARAM kTopBit = static_cast<LPARAM>(0x80000000u);

struct Box {
    int left, top, width, height;
    bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Box& b)
{
    return os << "{left " << b.left << ", top " << b.top << ", width " << b.width << ", height " << b.height << "}";
}

Box BoxOf(HWND window)
{
    RECT r{};
    ::GetWindowRect(window, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// What a command may change about the tip window.
struct WindowState {
    Box box;
    bool exists, visible, enabled;
    HWND focus, foreground;
    bool operator==(const WindowState&) const = default;
};

std::ostream& operator<<(std::ostream& os, const WindowState& s)
{
    return os << s.box << (s.exists ? " exists" : " gone") << (s.visible ? " visible" : " hidden")
              << (s.enabled ? " enabled" : " disabled") << " focus " << s.focus << " foreground " << s.foreground;
}

WindowState StateOf(HWND window)
{
    return {BoxOf(window),
            ::IsWindow(window) != FALSE,
            ::IsWindowVisible(window) != FALSE,
            ::IsWindowEnabled(window) != FALSE,
            ::GetFocus(),
            ::GetForegroundWindow()};
}

// The size Windows gives a top-level window of `like`'s styles when it is asked for
// `width` x `height`: it keeps such a window within its tracking sizes.
SIZE SizeWindowsAllows(HWND like, int width, int height)
{
    ts::MessageParty probe(static_cast<DWORD>(::GetWindowLongA(like, GWL_STYLE)),
                           static_cast<DWORD>(::GetWindowLongA(like, GWL_EXSTYLE)));
    ::SetWindowPos(probe.Window(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const Box b = BoxOf(probe.Window());
    return {b.width, b.height};
}

class HostMessageTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(module.Create(), 0);
        tip = module.Window();
        ASSERT_NE(tip, nullptr);
        party.PlaceBelow(tip);
        ts::PumpMessages();
        // A broadcast goes down the z-order: the tip handles it before the party does.
        ASSERT_LT(ts::ZOrderIndex(tip), ts::ZOrderIndex(party.Window()));
    }

    void Broadcast(WPARAM command, LPARAM value)
    {
        sent.push_back({command, value});
        party.Broadcast(command, value);
    }

    struct Command {
        WPARAM command;
        LPARAM value;
    };
    // Broadcasts each command to the tip window, shown and hidden: each is refused with one
    // range-error report, shown before the party below the tip gets the command, and the
    // window stays as it was.
    void ExpectEachRefused(const std::vector<Command>& rows)
    {
        // Boxes shown when the party, below the tip, got each message.
        std::vector<size_t> boxesAtParty;
        party.OnReceive = [&](const ts::ReceivedMessage&) { boxesAtParty.push_back(boxes.Boxes().size()); };
        size_t expectedBoxes = 0;
        for (bool hidden : {false, true}) {
            if (hidden) ::ShowWindow(tip, SW_HIDE);
            ts::PumpMessages();
            // A report over a hidden window gives the activation back to no window: only
            // the visible one gets focus and foreground back as they were.
            const auto stateOf = [hidden](HWND window) {
                WindowState state = StateOf(window);
                if (hidden) state.focus = state.foreground = nullptr;
                return state;
            };
            for (const auto& row : rows) {
                const WindowState before = stateOf(tip);
                Broadcast(row.command, row.value);
                ++expectedBoxes;
                ts::PumpMessages();
                const auto where = testing::Message() << "command 0x" << std::hex << row.command << " value 0x"
                                                      << row.value << (hidden ? " hidden" : "");
                EXPECT_EQ(stateOf(tip), before) << where;
                ASSERT_EQ(boxes.Boxes().size(), expectedBoxes) << where;
                EXPECT_EQ(boxes.Boxes().back().text, kRangeError) << where;
                ASSERT_FALSE(boxesAtParty.empty()) << where;
                EXPECT_EQ(boxesAtParty.back(), expectedBoxes) << where;
            }
        }
        party.OnReceive = nullptr;
        EXPECT_EQ(party.Received(), sent);
        EXPECT_EQ(module.Windows().size(), 1u);
    }

    ts::TipModule module;
    ts::MessageBoxRecorder boxes{module.Library()};
    ts::MessageParty party;
    HWND tip = nullptr;
    Messages sent; // every broadcast the party should have received, in order
};

TEST_F(HostMessageTest, ModuleAndPartyShareTheRegisteredNumber)
{
    EXPECT_GE(party.MessageId(), 0xC000u);
    EXPECT_LE(party.MessageId(), 0xFFFFu);

    // The party's number reaches the tip window ...
    Broadcast(10, 123);
    EXPECT_EQ(BoxOf(tip).left, 123);

    // ... and the module's own broadcast reaches the party: F12 runs "Fenster wechseln",
    // which sends 200 with 0 to everyone, the tip window included, which shows itself.
    ::ShowWindow(tip, SW_HIDE);
    ::SendMessageA(tip, WM_KEYDOWN, VK_F12, 0);
    sent.push_back({200, 0});
    EXPECT_EQ(party.Received(), sent);
    EXPECT_TRUE(::IsWindowVisible(tip));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(HostMessageTest, PlacementCommandsSetOneEdgeOrSizeEach)
{
    const Box start = BoxOf(tip);
    const int w = start.width, h = start.height;
    // Width or height 0 is asked for; Windows keeps a captioned top-level window at its
    // smallest tracking size, so the tip gets what any window of its styles would get.
    const SIZE least = SizeWindowsAllows(tip, 0, 0);
    std::printf("a top-level window of the tip's styles asked for 0 x 0 gets %ld x %ld\n", least.cx, least.cy);
    RecordProperty("SmallestWidth", static_cast<int>(least.cx));
    RecordProperty("SmallestHeight", static_cast<int>(least.cy));

    const struct {
        WPARAM command;
        LPARAM value;
        Box expected;
    } rows[] = {
        {10, 57, {57, 1, w, h}},
        {10, 0, {1, 1, w, h}},
        {11, 33, {1, 33, w, h}},
        {11, 0, {1, 1, w, h}},
        {10, 640, {640, 1, w, h}},
        {11, 700, {640, 700, w, h}},
        {12, 400, {640, 700, 400, h}},
        {12, 0, {640, 700, least.cx, h}},
        {13, 350, {640, 700, least.cx, 350}},
        {13, 0, {640, 700, least.cx, least.cy}},
        {12, 292, {640, 700, 292, least.cy}},
        {13, 500, {640, 700, 292, 500}},
        {10, 1, {1, 700, 292, 500}},
        {11, 1, {1, 1, 292, 500}},
    };
    for (const auto& row : rows) {
        Broadcast(row.command, row.value);
        EXPECT_EQ(BoxOf(tip), row.expected) << "command " << row.command << " value " << row.value;
        EXPECT_TRUE(::IsWindowVisible(tip)) << "command " << row.command << " value " << row.value;
    }
    EXPECT_EQ(party.Received(), sent);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(HostMessageTest, PartyMayCloseTheTipInsideTheModulesOwnBroadcast)
{
    // A host may answer "switch windows" by closing the tip: the window then goes while
    // its menu shortcut is still being handled further up the stack.
    party.OnReceive = [&](const ts::ReceivedMessage& m) {
        if (m == ts::ReceivedMessage{200, 0}) Broadcast(0, 0);
    };
    ::SendMessageA(tip, WM_KEYDOWN, VK_F12, 0);
    ts::PumpMessages();
    EXPECT_FALSE(::IsWindow(tip));
    EXPECT_TRUE(module.Windows().empty());
    EXPECT_EQ(party.Received(), (Messages{{200, 0}, {0, 0}}));
    EXPECT_EQ(module.Api().Free(), 1);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(HostMessageTest, OtherCommandsAndOtherMessagesChangeNothing)
{
    const UINT other = ::RegisterWindowMessageA("KelvamoOther");
    ASSERT_NE(other, party.MessageId());
    const struct {
        bool kelvamo;
        WPARAM command;
        LPARAM value;
    } rows[] = {
        {true, 100, 0},
        {true, 100, 640},
        {true, 9999, 1},
        {true, 9999, 2},
        {true, 1, 0},
        {true, 1, 300},
        {true, 5000, 77},
        {true, 14, 20},
        {true, 199, 0},
        {true, 201, 0},
        {true, 0x7FFFFFFF, 0x7FFFFFFF},
        {false, 0, 0},
        {false, 10, 50},
        {false, 11, 50},
        {false, 12, 0},
        {false, 13, 0},
        {false, 200, 0},
    };
    for (bool hidden : {false, true}) {
        if (hidden) ::ShowWindow(tip, SW_HIDE);
        ts::PumpMessages();
        for (const auto& row : rows) {
            const WindowState before = StateOf(tip);
            if (row.kelvamo) Broadcast(row.command, row.value);
            else ::SendMessageA(HWND_BROADCAST, other, row.command, row.value);
            ts::PumpMessages();
            EXPECT_EQ(StateOf(tip), before) << (row.kelvamo ? "Kelvamo" : "other message") << " command " << row.command
                                            << " value " << row.value << (hidden ? " hidden" : "");
        }
    }
    EXPECT_EQ(party.Received(), sent); // the other number never counts as "Kelvamo"
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(HostMessageTest, ShowMakesAHiddenWindowVisibleInFront)
{
    ts::MessageParty cover;
    const Box box = BoxOf(tip);
    for (LPARAM value : {LPARAM{0}, LPARAM{12345}}) {
        ::ShowWindow(tip, SW_HIDE);
        cover.ShowInFront();
        ts::PumpMessages();
        ASSERT_FALSE(::IsWindowVisible(tip));
        ASSERT_LT(ts::ZOrderIndex(cover.Window()), ts::ZOrderIndex(tip));

        Broadcast(200, value);
        ts::PumpMessages();
        EXPECT_TRUE(::IsWindowVisible(tip)) << "value " << value;
        EXPECT_LT(ts::ZOrderIndex(tip), ts::ZOrderIndex(cover.Window())) << "value " << value;
        EXPECT_EQ(::GetForegroundWindow(), tip) << "value " << value;
        EXPECT_EQ(BoxOf(tip), box) << "value " << value;
    }
    EXPECT_EQ(party.Received(), sent);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(HostMessageTest, TopBitIsRefusedWithOneReportAndTheBroadcastGoesOn)
{
    // Every command with the top bit in WParam, in LParam and in both, and a few more.
    std::vector<Command> rows = {{10, kTopBit | 50}, {12, static_cast<LPARAM>(0xFFFFFFFFu)}, {0xFFFFFFFF, 0}};
    for (WPARAM command : {0, 10, 11, 12, 13, 200, 9999})
        for (const Command& row :
             {Command{command | 0x80000000u, 5}, Command{command, kTopBit}, Command{command | 0x80000000u, kTopBit}})
            rows.push_back(row); // command 0 with a top bit is no close: both are tested first
    ExpectEachRefused(rows);
}

// On the 64-bit build a WParam or LParam may hold more than 32 bits. Cut to 32, each of
// these would read as a command that runs: a close, a placement, a show.
TEST_F(HostMessageTest, ValuesBeyond32BitsAreRefusedLikeTheTopBit)
{
    if (sizeof(WPARAM) == 4) GTEST_SKIP() << "WParam and LParam have 32 bits on this build";
    const auto wide = [](std::uint64_t bits) { return static_cast<WPARAM>(bits); };
    const auto wideValue = [](std::uint64_t bits) { return static_cast<LPARAM>(bits); };
    std::vector<Command> rows = {
        {wide(0xFFFFFFFF'00000000), 0},
        {10, wideValue(0xFFFFFFFF'00000032)},
        {12, wideValue(0x7FFFFFFF'00000190)},
    };
    for (WPARAM command : {0, 10, 11, 12, 13, 200})
        for (const Command& row : {Command{wide(0x1'00000000) | command, 5}, Command{command, wideValue(0x1'00000032)},
                                   Command{wide(0x80000000'00000000) | command, wideValue(0x1'00000000)}})
            rows.push_back(row);
    ExpectEachRefused(rows);
}

TEST_F(HostMessageTest, CloseDestroysTheWindowAndLaterCallsFindNone)
{
    std::vector<bool> tipAliveAtParty;
    party.OnReceive = [&](const ts::ReceivedMessage&) { tipAliveAtParty.push_back(::IsWindow(tip) != FALSE); };

    Broadcast(0, 0);
    EXPECT_FALSE(::IsWindow(tip));
    EXPECT_TRUE(module.Windows().empty());
    // The broadcast went on to the party after the tip window was gone.
    EXPECT_EQ(tipAliveAtParty, std::vector<bool>{false});

    EXPECT_EQ(module.Api().Free(), 1);
    ModuleApi::Failure failure;
    EXPECT_EQ(module.Api().SaveChanges(failure), 0);
    EXPECT_FALSE(failure.raised) << failure.text;
    EXPECT_EQ(module.Api().Changed(), 0);
    EXPECT_EQ(module.Api().Nr(), 2);

    // Later commands have no receiver in the module; the party still gets each.
    for (const ts::ReceivedMessage& m : Messages{{10, 50}, {200, 0}, {0, 0}, {11, kTopBit}}) {
        Broadcast(m.wParam, m.lParam);
        ts::PumpMessages();
        EXPECT_TRUE(module.Windows().empty()) << "command " << m.wParam;
    }
    EXPECT_EQ(party.Received(), sent);
    EXPECT_TRUE(boxes.Boxes().empty());
}

// A close command that comes while the window closes (from a party that answers the
// window's hiding with another close) ends the window once; the first close then touches
// it no more (a use of it would crash, which the test programs' main function reports).
WNDPROC g_tipProc = nullptr;
UINT g_hostMessage = 0;
int g_closesWhileHiding = 0;
LRESULT CALLBACK CloseAgainWhileHiding(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_SHOWWINDOW && !wp && g_closesWhileHiding++ == 0) ::SendMessageA(hwnd, g_hostMessage, 0, 0);
    return ::IsWindow(hwnd) ? ::CallWindowProcA(g_tipProc, hwnd, msg, wp, lp) : 0;
}

TEST_F(HostMessageTest, CloseWhileClosingEndsTheWindowOnce)
{
    g_hostMessage = party.MessageId();
    g_closesWhileHiding = 0;
    g_tipProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(tip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CloseAgainWhileHiding)));
    Broadcast(0, 0);
    EXPECT_GE(g_closesWhileHiding, 1);
    EXPECT_FALSE(::IsWindow(tip));
    EXPECT_TRUE(module.Windows().empty());
    EXPECT_EQ(module.Api().Free(), 1);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(HostMessageTest, EachNewWindowCanBeClosedAgain)
{
    // Hidden or not, with any value: command 0 ends the window, and the next ModulCreate
    // gives a window that obeys the commands again.
    const struct {
        bool hidden;
        LPARAM value;
    } rows[] = {{false, 0}, {true, 12345}, {false, 0x7FFFFFFF}};
    for (const auto& row : rows) {
        if (row.hidden) ::ShowWindow(tip, SW_HIDE);
        Broadcast(0, row.value);
        EXPECT_FALSE(::IsWindow(tip)) << "value " << row.value;
        EXPECT_EQ(module.Api().Free(), 1);

        ASSERT_EQ(module.Create(), 0);
        tip = module.Window();
        ASSERT_NE(tip, nullptr) << "value " << row.value;
        Broadcast(10, 77);
        EXPECT_EQ(BoxOf(tip).left, 77) << "value " << row.value;
    }
    EXPECT_EQ(module.Api().Free(), 1);
    EXPECT_TRUE(module.Windows().empty());
    EXPECT_TRUE(boxes.Boxes().empty());
}

// A suite of its own, so that it runs beside the others: its refusals show real boxes.
class HostMessageBurst : public HostMessageTest {};

TEST_F(HostMessageBurst, BurstOfRandomCommandsEndsWhereTheLastPlacementsSay)
{
    const SIZE least = SizeWindowsAllows(tip, 0, 0);
    const SIZE most = SizeWindowsAllows(tip, 100000, 100000);
    Box expected = BoxOf(tip);
    size_t refused = 0;

    std::mt19937 random(211);
    auto below = [&](unsigned n) { return static_cast<unsigned>(random() % n); };
    const WPARAM ignored[] = {100, 9999, 1, 5000, 14, 9, 199, 201, 0x7FFFFFFF};
    const WPARAM anyCommand[] = {0, 10, 11, 12, 13, 100, 200, 9999};

    // Heap checking walks the heap at each allocation, and what the test records grows with
    // every command: 600 commands cover every kind many times over in seconds. One in ten
    // is refused, each with a real report box, the dearest of them.
    for (int i = 0; i < 600; ++i) {
        WPARAM command;
        LPARAM value;
        const unsigned kind = below(100);
        if (kind < 50) {
            command = 10 + below(4);
            value = below(801);
            switch (command) {
            case 10: expected.left = value == 0 ? 1 : static_cast<int>(value); break;
            case 11: expected.top = value == 0 ? 1 : static_cast<int>(value); break;
            case 12: expected.width = std::clamp(static_cast<int>(value), int(least.cx), int(most.cx)); break;
            case 13: expected.height = std::clamp(static_cast<int>(value), int(least.cy), int(most.cy)); break;
            }
        } else if (kind < 75) {
            command = ignored[below(std::size(ignored))];
            value = below(100000);
        } else if (kind < 90) {
            command = 200;
            value = below(1000);
        } else {
            command = anyCommand[below(std::size(anyCommand))];
            value = below(801);
            const unsigned where = below(3);
            if (where != 1) command |= 0x80000000u;
            if (where != 0) value |= kTopBit;
            ++refused;
        }
        Broadcast(command, value);
        if (i % 100 == 0) ts::PumpMessages();
    }
    ts::PumpMessages();

    ASSERT_TRUE(::IsWindow(tip));
    EXPECT_EQ(module.Windows().size(), 1u);
    EXPECT_EQ(BoxOf(tip), expected);
    EXPECT_TRUE(::IsWindowVisible(tip));
    EXPECT_EQ(boxes.Boxes().size(), refused);
    EXPECT_TRUE(
        std::all_of(boxes.Boxes().begin(), boxes.Boxes().end(), [](const auto& b) { return b.text == kRangeError; }));
    EXPECT_EQ(party.Received().size(), sent.size());
    EXPECT_TRUE(party.Received() == sent);
}

} // namespace
