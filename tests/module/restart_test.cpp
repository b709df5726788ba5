// The template's OK and Undo and the restart prompt of the real Tipp211.dll: what the
// prompt asks of Windows on each system, and what a host sees of a save.
#include "tests/support/SavingTip.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

constexpr char kQuestion[] = "Um diese \xC4nderung zu aktivieren, ist ein Neustart des Systems erforderlich. "
                             "Soll der Neustart jetzt durchgef\xFChrt werden ?";
constexpr char kFailed[] = "Das System l\xE4\xDFt sich zur Zeit nicht neu starten. "
                           "Bitte f\xFChren Sie sp\xE4ter manuell einen Neustart durch";

const Lines kPrivilegeOn{"OpenProcessToken 0x28 own process", "LookupPrivilegeValueA local SeShutdownPrivilege",
                         "AdjustTokenPrivileges shutdown attributes 0x2 buffer 16", "CloseHandle token"};
const Lines kPrivilegeOff{"OpenProcessToken 0x28 own process", "LookupPrivilegeValueA local SeShutdownPrivilege",
                          "AdjustTokenPrivileges shutdown attributes 0x0 buffer 16", "CloseHandle token"};
const Lines kRestart{"ExitWindowsEx 0x2 0x0"};

Lines Join(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

class RestartTest : public ts::SavingTip {
protected:
    HWND Open(int osType = 13)
    {
        ts::CreateArgs args;
        args.osType = osType;
        tip.Create(args);
        boxes.Clear();
        return tip.Window();
    }
};

TEST_F(RestartTest, EachSystemRestartsWithThePrivilegeItNeeds)
{
    struct Row {
        int osType;
        std::deque<DWORD> exitErrors;
        bool tokenOpens, lookupWorks;
        Lines calls;
        bool restarts;
        // The privilege before the restart, which it is again afterwards, and whether
        // AdjustTokenPrivileges lists it in the previous state when it leaves it as it was
        // (Wine) or not (Windows).
        bool enabled = false, listsUnchanged = true;
    };
    const Row rows[] = {
        {10, {}, true, true, Join({kPrivilegeOn, kRestart, kPrivilegeOff}), true},
        {11, {ERROR_ACCESS_DENIED}, true, true, Join({kPrivilegeOn, kRestart, kPrivilegeOff}), false},
        {10, {}, false, true, {"OpenProcessToken 0x28 own process"}, false},
        {11, {}, true, false, {kPrivilegeOn[0], kPrivilegeOn[1], "CloseHandle token"}, false},
        {3, {}, true, true, kRestart, true},
        {12, {}, true, true, kRestart, true},
        {13, {}, true, true, kRestart, true},
        {4, {ERROR_ACCESS_DENIED}, true, true, kRestart, false},
        // Windows XP refuses the direct call without the privilege: once more with it.
        {13, {ERROR_PRIVILEGE_NOT_HELD}, true, true, Join({kRestart, kPrivilegeOn, kRestart, kPrivilegeOff}), true},
        {13,
         {ERROR_PRIVILEGE_NOT_HELD, ERROR_PRIVILEGE_NOT_HELD},
         true,
         true,
         Join({kRestart, kPrivilegeOn, kRestart, kPrivilegeOff}),
         false},
        // A privilege enabled before stays enabled; one disabled is disabled again.
        {10, {}, true, true, Join({kPrivilegeOn, kRestart}), true, true, true},
        {10, {}, true, true, Join({kPrivilegeOn, kRestart}), true, true, false},
        {11, {ERROR_ACCESS_DENIED}, true, true, Join({kPrivilegeOn, kRestart}), false, true, false},
        {10, {}, true, true, Join({kPrivilegeOn, kRestart, kPrivilegeOff}), true, false, false},
        {13,
         {ERROR_PRIVILEGE_NOT_HELD},
         true,
         true,
         Join({kRestart, kPrivilegeOn, kRestart, kPrivilegeOff}),
         true,
         false,
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "OSType " << row.osType << ", first error "
                                        << (row.exitErrors.empty() ? 0 : row.exitErrors.front())
                                        << (row.enabled ? ", enabled" : ", disabled")
                                        << (row.listsUnchanged ? " as Wine reports" : " as Windows reports"));
        HWND window = Open(row.osType);
        shutdown.calls.clear();
        shutdown.exitErrors = row.exitErrors;
        shutdown.tokenOpens = row.tokenOpens;
        shutdown.lookupWorks = row.lookupWorks;
        shutdown.privilegeEnabled = row.enabled;
        shutdown.listsUnchanged = row.listsUnchanged;
        boxes.SetAnswer(IDYES);

        EXPECT_FALSE(Save().raised);
        EXPECT_EQ(shutdown.calls, row.calls);
        EXPECT_EQ(shutdown.privilegeEnabled, row.enabled) << "the privilege is not as it was";
        EXPECT_EQ(boxes.Texts(), (row.restarts ? Lines{kQuestion} : Lines{kQuestion, kFailed}));
        ASSERT_FALSE(boxes.Boxes().empty());
        EXPECT_EQ(boxes.Boxes()[0].flags & (MB_TYPEMASK | MB_ICONMASK), UINT(MB_YESNO | MB_ICONQUESTION));
        // A restart under way hides the window; a failed one leaves it as it was.
        EXPECT_EQ(::IsWindowVisible(window) != FALSE, !row.restarts);
        EXPECT_EQ(tip.Api().Free(), 1);
    }
}

TEST_F(RestartTest, NoRequestsNothingAndLeavesTheSaveInPlace)
{
    HWND window = Open(10);
    boxes.SetAnswer(IDNO);
    shutdown.calls.clear();
    EXPECT_FALSE(Save().raised);
    EXPECT_EQ(boxes.Texts(), Lines{kQuestion});
    EXPECT_TRUE(shutdown.calls.empty());
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(tip.Api().Changed(), 0); // nothing was edited
    EXPECT_EQ(tip.Api().Nr(), 2);
}

TEST_F(RestartTest, SavedNoticeTellsWhetherDefaultsWereRestored)
{
    HWND window = Open();
    boxes.SetAnswer(IDNO);
    party.Clear();
    ts::Click(window, ts::tip::kOK);
    EXPECT_FALSE(Save().raised);
    ts::Click(window, ts::tip::kUndo);
    EXPECT_EQ(tip.Api().Nr(), 1);
    ts::Click(window, ts::tip::kOK);
    EXPECT_FALSE(Save().raised);
    EXPECT_EQ(party.Received(), (std::vector<ts::ReceivedMessage>{{9999, 2}, {9999, 2}, {9999, 1}, {9999, 1}}));
    EXPECT_EQ(boxes.Texts(), (Lines(4, kQuestion)));
}

// A host may answer the saved notice by closing the window, inside the module's own
// broadcast. Nothing may touch the window afterwards; the question is still asked.
TEST_F(RestartTest, HostClosesTheWindowDuringTheSavedNotice)
{
    party.OnReceive = [this](const ts::ReceivedMessage& m) {
        if (m.wParam == 9999) party.Broadcast(0, 0);
    };
    for (bool byClick : {true, false}) {
        SCOPED_TRACE(byClick ? "click on OK" : "ModulSaveChanges");
        HWND window = Open(13);
        shutdown.calls.clear();
        boxes.SetAnswer(IDYES);
        if (byClick) ts::Click(window, ts::tip::kOK);
        else EXPECT_FALSE(Save().raised);
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_EQ(boxes.Texts(), Lines{kQuestion});
        EXPECT_EQ(shutdown.calls, kRestart);
        EXPECT_EQ(tip.Api().Free(), 1); // no window left to free
    }
}

} // namespace
