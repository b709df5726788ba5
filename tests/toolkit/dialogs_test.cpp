// The toolkit's standard dialogs: what kind of box each shows, what its answer means, and
// which windows it holds while it is open.
#include "tests/support/MessageBoxes.h"
#include "tests/support/MessageParty.h"
#include "tests/support/ThreadWindow.h"
#include "toolkit/forms/Form.h"
#include "toolkit/system/Dialogs.h"

#include <gtest/gtest.h>

#include <functional>

TEST(Dialogs, ShowMessageHasOneOkButtonAndWaits)
{
    ts::MessageBoxRecorder boxes;
    tk::ShowMessage("Valid for:\r\n\r\nWindows XP\r\n");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const auto& box = boxes.Boxes()[0];
    EXPECT_EQ(box.text, "Valid for:\r\n\r\nWindows XP\r\n");
    EXPECT_EQ(box.flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    EXPECT_EQ(box.flags & MB_ICONMASK, 0u);
}

// Every box holds every window of the thread that could take input, a form of the
// toolkit's own and a program's window alike, gives back exactly what it took, and never
// touches a window of another thread. Its owner is the form, when there is one.
TEST(Dialogs, EveryBoxIsModalToTheWholeThreadAndToNothingElse)
{
    ts::MessageParty host, disabledBefore, hidden;
    host.ShowInFront();
    disabledBefore.ShowInFront();
    ::EnableWindow(disabledBefore.Window(), FALSE);
    // A window of another thread, which the box must leave alone.
    const ts::ThreadWindow otherThread(ts::ThreadWindow::Kind::Answering);
    HWND other = otherThread.Window();
    ::ShowWindow(other, SW_SHOWNOACTIVATE);

    const std::function<void()> dialogs[] = {[] { tk::ShowMessage("message"); }, [] { tk::ConfirmYesNo("question"); },
                                             [] { tk::ShowErrorReport("report"); }};
    for (bool withForm : {false, true}) {
        std::unique_ptr<tk::TForm> form;
        if (withForm) {
            form = std::make_unique<tk::TForm>(nullptr);
            form->Show();
        }
        for (const auto& dialog : dialogs) {
            ts::MessageBoxRecorder boxes;
            std::vector<HWND> enabledInBox;
            boxes.OnBox = [&](const ts::MessageBoxRecorder::Box&, HWND) {
                for (HWND w : {host.Window(), disabledBefore.Window(), hidden.Window(), other})
                    if (::IsWindowEnabled(w)) enabledInBox.push_back(w);
            };
            dialog();
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            EXPECT_EQ(boxes.Boxes()[0].owner, withForm ? form->Handle() : nullptr);
            EXPECT_EQ(enabledInBox, (std::vector<HWND>{hidden.Window(), other}));
            EXPECT_TRUE(::IsWindowEnabled(host.Window()));
            EXPECT_FALSE(::IsWindowEnabled(disabledBefore.Window()));
            if (form) {
                EXPECT_TRUE(::IsWindowEnabled(form->Handle()));
            }
        }
    }
}

// A report asked for while one is open shows no box of its own.
TEST(Dialogs, OneErrorReportAtATime)
{
    ts::MessageBoxRecorder boxes;
    boxes.OnBox = [](const ts::MessageBoxRecorder::Box&, HWND) { tk::ShowErrorReport("second"); };
    tk::ShowErrorReport("first");
    boxes.OnBox = nullptr;
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"first"});
    tk::ShowErrorReport("after");
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"first", "after"}));
}

TEST(Dialogs, ConfirmYesNoAsksWithTheQuestionIconAndTellsTheAnswer)
{
    const struct {
        int answer;
        bool expected;
    } rows[] = {{IDYES, true}, {IDNO, false}, {IDCANCEL, false}};
    for (const auto& row : rows) {
        ts::MessageBoxRecorder boxes;
        boxes.SetAnswer(row.answer);
        EXPECT_EQ(tk::ConfirmYesNo("Restart now?"), row.expected) << row.answer;
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, "Restart now?");
        EXPECT_EQ(boxes.Boxes()[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
        EXPECT_EQ(boxes.Boxes()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONQUESTION));
    }
}

TEST(Dialogs, ErrorReportShowsTheFailureWithTheStopIcon)
{
    ts::MessageBoxRecorder boxes;
    tk::ShowErrorReport("Range check error");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Range check error");
    EXPECT_EQ(boxes.Boxes()[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes.Boxes()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
}
