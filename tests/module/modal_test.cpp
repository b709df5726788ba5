// What the module lives through while it waits: in a box (Info, the restart question, an
// error report, "Big" while the window is made) or in a broadcast of its own (the window
// switch, the saved notice). Boxes are real and modal, so the actions below run inside
// their message loops, as a host's and every other program's messages do.
#include "contract/HostMessage.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Pump.h"
#include "tests/support/SavingTip.h"
#include "toolkit/gdi/Font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <utility>

namespace {

constexpr char kRangeError[] = "Range check error";
constexpr LPARAM kTopBit = static_cast<LPARAM>(0x80000000u);
constexpr int kBurst = 40;

class ModalTest : public ts::SavingTip {
protected:
    struct Wait {
        const char* name;
        WPARAM notice; // 0: a box; else the code of the module's broadcast it waits in
        std::function<void()> reach;
    };
    enum class Action { Close, Free, Burst };

    void SetUp() override
    {
        boxes.SetAnswer(IDNO);
        party.ShowInFront(); // the host's window, in the tip's thread
    }

    void Act(Action action)
    {
        switch (action) {
        case Action::Close: party.Broadcast(0, 0); break;
        case Action::Free: EXPECT_EQ(tip.Api().Free(), 1); break;
        case Action::Burst: {
            // Posted at once, and a harmless command after them, which the party gets
            // last: then the tip has taken all of them.
            const size_t received = party.Received().size();
            for (int i = 0; i < kBurst; ++i) ::PostMessageA(HWND_BROADCAST, party.MessageId(), 10, kTopBit | i);
            ::PostMessageA(HWND_BROADCAST, party.MessageId(), 100, 0);
            EXPECT_TRUE(ts::PumpUntil([&] { return party.Received().size() >= received + kBurst + 1; }));
            break;
        }
        }
    }

    // Reaches the wait, runs the action inside it once, and checks what is left.
    void Check(const Wait& wait, Action action)
    {
        SCOPED_TRACE(testing::Message() << wait.name << ", action " << static_cast<int>(action));
        bool acted = false, hostDisabled = false;
        const auto act = [&] {
            if (std::exchange(acted, true)) return;
            hostDisabled = !::IsWindowEnabled(party.Window());
            Act(action);
        };
        if (wait.notice) {
            party.OnReceive = [&](const ts::ReceivedMessage& m) {
                if (m.wParam == wait.notice) act();
            };
        } else {
            boxes.OnBox = [&](const ts::MessageBoxRecorder::Box&, HWND) { act(); };
        }
        wait.reach();
        ts::PumpMessages();
        boxes.OnBox = nullptr;
        party.OnReceive = nullptr;

        ASSERT_TRUE(acted);
        EXPECT_EQ(hostDisabled, wait.notice == 0) << "the host's window is held only by a box";
        EXPECT_TRUE(::IsWindowEnabled(party.Window()));
        const bool ended = action != Action::Burst;
        EXPECT_EQ(tip.Windows().empty(), ended);
        if (action == Action::Burst) {
            const auto reports = std::count_if(boxes.Boxes().begin(), boxes.Boxes().end(),
                                               [](const auto& box) { return box.text == kRangeError; });
            EXPECT_EQ(reports, 1) << "the burst opened no report of its own beside the first";
            EXPECT_LE(boxes.MostOpen(), 2) << "a report inside the box waited in, no more";
        }
        // The next window works.
        boxes.Clear();
        EXPECT_EQ(tip.Create(), 0);
        EXPECT_NE(tip.Window(), nullptr);
        EXPECT_EQ(tip.Api().Free(), 1);
        EXPECT_TRUE(tip.Windows().empty());
    }

    void CheckEveryAction(const Wait& wait)
    {
        for (Action action : {Action::Close, Action::Free, Action::Burst}) Check(wait, action);
    }

    // Opens the window and forgets what that showed.
    HWND Open()
    {
        HWND window = OpenWindow();
        boxes.Clear();
        return window;
    }
};

TEST_F(ModalTest, EveryActionInEveryWaitLeavesNoFreedWindowBehind)
{
    const Wait waits[] = {
        {"Info", 0, [this] { ts::Click(Open(), ts::tip::kInfo); }},
        {"restart question", 0,
         [this] {
             Open();
             EXPECT_FALSE(Save().raised);
         }},
        {"error report", 0,
         [this] {
             Open();
             party.Broadcast(10, kTopBit);
         }},
        {"window switch", HostMessage::kSwitchWindow, [this] { ::SendMessageA(Open(), WM_KEYDOWN, VK_F12, 0); }},
        {"saved notice", HostMessage::kSaved,
         [this] {
             Open();
             EXPECT_FALSE(Save().raised);
         }},
    };
    for (const Wait& wait : waits) CheckEveryAction(wait);
}

// A host that answers its own activation, as the tip window is destroyed, by saving or
// freeing finds no window: the window goes once. (The close command hides the window
// first, and the host is activated then, while the window still exists.)
WNDPROC g_partyProc = nullptr;
std::function<void()> g_onActivate; // runs once

LRESULT CALLBACK ReactToActivation(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_ACTIVATE && LOWORD(wp) != WA_INACTIVE && g_onActivate) std::exchange(g_onActivate, nullptr)();
    return ::CallWindowProcA(g_partyProc, window, msg, wp, lp);
}

TEST_F(ModalTest, AHostThatReactsToItsActivationAsTheWindowGoesFindsNoWindow)
{
    g_partyProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(party.Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ReactToActivation)));
    for (bool byFree : {true, false}) {
        SCOPED_TRACE(byFree ? "ModulFree" : "a second ModulCreate");
        HWND window = Open();
        ASSERT_EQ(::GetActiveWindow(), window);
        std::vector<int> calls; // ModulSaveChanges, then ModulFree
        g_onActivate = [&] {
            ModuleApi::Failure failure;
            calls = {tip.Api().SaveChanges(failure), tip.Api().Free()};
        };
        EXPECT_EQ(byFree ? tip.Api().Free() : tip.Create(), byFree ? 1 : 0);
        g_onActivate = nullptr;
        EXPECT_EQ(calls, (std::vector<int>{0, 1})) << "no window to save, none to free";
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_EQ(tip.Windows().size(), byFree ? 0u : 1u);
        EXPECT_TRUE(boxes.Boxes().empty());
        tip.Api().Free();
    }
    ::SetWindowLongPtrA(party.Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_partyProc));
}

// "Big" is shown while the window is made, at any resolution but 96 pixels per inch,
// which Wine reads once per process: the child runs at 120.
constexpr char kChildVariable[] = "TIPP211_MODAL_CHILD";

TEST(ModalAtCreation, BigNoticeAt120)
{
    DWORD code;
    {
        ts::ResolutionOverride at(120);
        code = ts::RunChildProcess("ModalChild.*", kChildVariable, "120");
    }
    EXPECT_EQ(code, 0u) << "the child's own output above says what failed";
}

class ModalChild : public ModalTest {};

TEST_F(ModalChild, BigAt120)
{
    if (!std::getenv(kChildVariable)) GTEST_SKIP() << "runs as the child of ModalAtCreation only";
    ASSERT_EQ(tk::ScreenPixelsPerInch(), 120);
    CheckEveryAction({"Big", 0, [this] { EXPECT_EQ(tip.Create(), 0); }});
}

} // namespace
