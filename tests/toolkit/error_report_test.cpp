// The standard error report: a failure in an event handler that a window message ran is
// shown in a message box and goes no further; a direct call passes it to its caller.
#include "tests/support/MessageBoxes.h"
#include "toolkit/base/ClassInfo.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/forms/Form.h"
#include "toolkit/widgets/Edit.h"
#include "toolkit/widgets/SpeedButton.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace {

bool g_failOnCreate = false;

// Every handler of this window fails; its stored layout binds them.
class TLayoutErrorForm : public tk::TForm {
public:
    using TForm::TForm;
    static const tk::TClassInfo& StaticClass()
    {
        static const tk::TClassInfo& info =
            tk::TClassInfo::Define("TLayoutErrorForm", &tk::TForm::StaticClass(), nullptr, [](tk::TClassInfo& c) {
                c.Published("FormCreate", &TLayoutErrorForm::FormCreate);
                c.Published("ButtonClick", &TLayoutErrorForm::ButtonClick);
                c.Published("EditChange", &TLayoutErrorForm::EditChange);
            });
        return info;
    }
    const tk::TClassInfo& ClassType() const override { return StaticClass(); }

    void FormCreate(tk::TObject*)
    {
        ++creates;
        if (g_failOnCreate) throw tk::Exception("Creation failed");
    }
    void ButtonClick(tk::TObject*)
    {
        ++clicks;
        throw tk::Exception("The button failed");
    }
    void EditChange(tk::TObject*)
    {
        ++changes;
        throw tk::Exception("The edit failed");
    }

    int creates = 0;
    int clicks = 0;
    int changes = 0;
};

// Members are public: the rows' lambdas reach them through the fixture.
class ErrorReport : public ::testing::Test {
public:
    void SetUp() override
    {
        g_failOnCreate = false;
        form.reset(tk::CreateForm<TLayoutErrorForm>(nullptr));
        button = dynamic_cast<tk::TSpeedButton*>(form->FindComponent("FailButton"));
        edit = dynamic_cast<tk::TEdit*>(form->FindComponent("FailEdit"));
        ASSERT_NE(button, nullptr);
        ASSERT_NE(edit, nullptr);
    }
    void TearDown() override { g_failOnCreate = false; }

    void ClickButton()
    {
        const LPARAM at = MAKELPARAM(button->Left() + button->Width() / 2, button->Top() + button->Height() / 2);
        SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(form->Handle(), WM_LBUTTONUP, 0, at);
    }

    ts::MessageBoxRecorder boxes;
    std::unique_ptr<TLayoutErrorForm> form;
    tk::TSpeedButton* button = nullptr;
    tk::TEdit* edit = nullptr;
};

TEST_F(ErrorReport, FailureInAHandlerRunByAMessageIsShownAndDispatchGoesOn)
{
    const struct {
        const char* what;
        std::function<void(ErrorReport&, int round)> act;
        const char* text;
        std::function<int(ErrorReport&)> runs;
    } rows[] = {
        {"click on a speed button", [](ErrorReport& t, int) { t.ClickButton(); }, "The button failed",
         [](ErrorReport& t) { return t.form->clicks; }},
        {"character typed into an edit",
         [](ErrorReport& t, int round) { SendMessageA(t.edit->Handle(), WM_CHAR, 'a' + round, 1); }, "The edit failed",
         [](ErrorReport& t) { return t.form->changes; }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        boxes.Clear();
        const int runsBefore = row.runs(*this);
        // Twice: after the first failure the window must still take input as before.
        for (int round = 0; round < 2; ++round) {
            row.act(*this, round);
            ASSERT_EQ(boxes.Boxes().size(), static_cast<size_t>(round + 1));
            const auto& box = boxes.Boxes().back();
            EXPECT_EQ(box.text, row.text);
            EXPECT_EQ(box.flags & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
            EXPECT_EQ(row.runs(*this), runsBefore + round + 1);
            EXPECT_EQ(GetCapture(), nullptr) << "the pointer is still captured";
        }
        EXPECT_TRUE(IsWindow(form->Handle()));
    }
    // The edit took both characters although its change handler failed each time.
    EXPECT_EQ(edit->Text(), "ab");
    EXPECT_FALSE(button->Pressed());
}

TEST_F(ErrorReport, FailureInOnCreateIsShownOnceAndTheWindowIsKept)
{
    g_failOnCreate = true;
    boxes.Clear();
    std::unique_ptr<TLayoutErrorForm> created(tk::CreateForm<TLayoutErrorForm>(nullptr));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Creation failed"});
    EXPECT_EQ(created->creates, 1);
    EXPECT_TRUE(IsWindow(created->Handle()));
    EXPECT_NE(created->FindComponent("FailEdit"), nullptr);
    EXPECT_EQ(created->Caption(), "Failing handlers");
}

TEST_F(ErrorReport, FailureInAHandlerCalledDirectlyReachesTheCaller)
{
    const struct {
        const char* what;
        std::function<void(ErrorReport&)> call;
        const char* text;
    } rows[] = {
        {"Click", [](ErrorReport& t) { t.button->Click(); }, "The button failed"},
        {"SetText", [](ErrorReport& t) { t.edit->SetText("set by code"); }, "The edit failed"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        boxes.Clear();
        try {
            row.call(*this);
            ADD_FAILURE() << "no exception";
        } catch (const tk::Exception& e) {
            EXPECT_STREQ(e.what(), row.text);
        }
        EXPECT_TRUE(boxes.Texts().empty());
    }
}

} // namespace
