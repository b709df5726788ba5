// The module's broadcasts on a desktop where another program's window hangs: a window on a
// thread of the test's own that blocks without pumping a message for 40 s.
#include "tests/support/Pump.h"
#include "tests/support/SavingTip.h"
#include "tests/support/ThreadWindow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>

namespace {

using Messages = std::vector<ts::ReceivedMessage>;
using Clock = std::chrono::steady_clock; // the test program patches GetTickCount

class HungWindowTest : public ts::SavingTip {};

// The saved notice and the window switch pass over the hung window: OK, ModulSaveChanges
// and F12 each return long before it answers, the restart question is still asked, and
// every window that answers, of this thread or another, has had the notice by then.
TEST_F(HungWindowTest, BroadcastsPassOverAHungWindow)
{
    const ts::ThreadWindow hung(ts::ThreadWindow::Kind::Hung);
    const ts::ThreadWindow answering(ts::ThreadWindow::Kind::Answering);
    HWND window = OpenWindow();
    ASSERT_NE(window, nullptr);
    boxes.SetAnswer(IDNO);
    const struct {
        const char* what;
        std::function<void()> act;
        ts::ReceivedMessage notice;
        bool asks;
    } rows[] = {
        {"OK", [&] { ts::Click(window, ts::tip::kOK); }, {9999, 2}, true},
        {"ModulSaveChanges", [&] { EXPECT_FALSE(Save().raised); }, {9999, 2}, true},
        {"window switch", [&] { ::SendMessageA(window, WM_KEYDOWN, VK_F12, 0); }, {200, 0}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        party.Clear();
        boxes.Clear();
        const int answered = answering.Handled();
        const auto start = Clock::now();
        row.act();
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        std::printf("%s with a window hung: %lld ms\n", row.what, static_cast<long long>(took));
        ASSERT_TRUE(hung.Blocking()) << "the hung window was released before the call returned";
        EXPECT_LT(took, 15000);
        EXPECT_EQ(party.Received(), Messages{row.notice});
        EXPECT_EQ(answering.Handled(), answered + 1);
        EXPECT_EQ(Asked(), row.asks);
    }
    EXPECT_EQ(hung.Handled(), 0);
}

} // namespace
