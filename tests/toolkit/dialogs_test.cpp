// The toolkit's standard dialogs: what kind of box each shows and what its answer means.
#include "tests/support/MessageBoxes.h"
#include "toolkit/system/Dialogs.h"

#include <gtest/gtest.h>

TEST(Dialogs, ShowMessageHasOneOkButtonAndWaits)
{
    ts::MessageBoxRecorder boxes;
    tk::ShowMessage("Valid for:\r\n\r\nWindows XP\r\n");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const auto& box = boxes.Boxes()[0];
    EXPECT_EQ(box.text, "Valid for:\r\n\r\nWindows XP\r\n");
    EXPECT_EQ(box.flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    EXPECT_EQ(box.flags & MB_ICONMASK, 0u);
    EXPECT_NE(box.flags & MB_TASKMODAL, 0u);
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
