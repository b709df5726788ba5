// Change events, text and the state an edit field's window holds, on a real window.
#include "toolkit/forms/Form.h"
#include "toolkit/widgets/Edit.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class EditTest : public testing::Test {
protected:
    void SetUp() override
    {
        form.reset(new tk::TForm(nullptr));
        form->SetClientWidth(200);
        form->SetClientHeight(60);
        edit = new tk::TEdit(form.get());
        edit->SetParent(form.get());
        edit->OnChange = [this](tk::TObject* sender) {
            EXPECT_EQ(sender, edit);
            seen.push_back(edit->Text());
        };
    }

    std::string WindowText() const
    {
        char buffer[256] = {};
        ::GetWindowTextA(edit->Handle(), buffer, sizeof buffer);
        return buffer;
    }

    std::unique_ptr<tk::TForm> form;
    tk::TEdit* edit = nullptr;
    // The text as each OnChange saw it.
    std::vector<std::string> seen;
};

TEST_F(EditTest, TextSetByCodeFiresOncePerChangeAndReadsBackByteForByte)
{
    ASSERT_NE(edit->Handle(), nullptr);
    const struct {
        std::string text;
        bool fires;
    } rows[] = {
        {"abc", true},
        {"abc", false},
        {"ABC", true},
        {"Gr\xFC\xDF"
         "e \xE4\xF6\xFC \xC4\xD6\xDC \x80 \x84zitiert\x93",
         true},
        {"Gr\xFC\xDF"
         "e \xE4\xF6\xFC \xC4\xD6\xDC \x80 \x84zitiert\x93",
         false},
        {"", true},
        {"", false},
        {"x", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        seen.clear();
        edit->SetText(row.text);
        EXPECT_EQ(edit->Text(), row.text);
        EXPECT_EQ(WindowText(), row.text);
        if (row.fires) {
            // Once, and the handler already sees the new text.
            EXPECT_EQ(seen, std::vector<std::string>{row.text});
        } else {
            EXPECT_TRUE(seen.empty());
        }
    }
}

TEST_F(EditTest, TypingFiresOnChangeForEachKeyThatChangesTheText)
{
    const struct {
        WPARAM character;
        const char* text;
        bool fires;
    } rows[] = {
        {'a', "a", true},     {0xFC, "a\xFC", true}, {VK_BACK, "a", true}, {VK_BACK, "", true}, // emptied by the user
        {VK_BACK, "", false}, {'z', "z", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "character " << row.character);
        seen.clear();
        ::SendMessageA(edit->Handle(), WM_CHAR, row.character, 1);
        EXPECT_EQ(edit->Text(), row.text);
        if (row.fires) {
            EXPECT_EQ(seen, std::vector<std::string>{row.text});
        } else {
            EXPECT_TRUE(seen.empty());
        }
    }
    // The code setting what the user typed changes nothing.
    seen.clear();
    edit->SetText("z");
    EXPECT_TRUE(seen.empty());
}

// The window is where the state lives once it exists: what any code does to the window
// through Win32 shows through the toolkit, and a window destroyed under its object leaves
// its state to the window made next.
TEST_F(EditTest, ReportsWhatItsWindowHoldsWhoeverChangedIt)
{
    const struct {
        const char* change;
        void (*apply)(HWND);
        bool (*holds)(const tk::TEdit&);
    } rows[] = {
        {"hidden", [](HWND w) { ::ShowWindow(w, SW_HIDE); }, [](const tk::TEdit& e) { return !e.Visible(); }},
        {"disabled", [](HWND w) { ::EnableWindow(w, FALSE); }, [](const tk::TEdit& e) { return !e.Enabled(); }},
        {"text", [](HWND w) { ::SetWindowTextA(w, "typed"); }, [](const tk::TEdit& e) { return e.Text() == "typed"; }},
        {"moved", [](HWND w) { ::SetWindowPos(w, nullptr, 7, 9, 50, 20, SWP_NOZORDER | SWP_NOACTIVATE); },
         [](const tk::TEdit& e) { return e.Left() == 7 && e.Top() == 9 && e.Width() == 50 && e.Height() == 20; }},
        {"read-only", [](HWND w) { ::SendMessageA(w, EM_SETREADONLY, TRUE, 0); },
         [](const tk::TEdit& e) { return e.ReadOnly(); }},
        {"limited", [](HWND w) { ::SendMessageA(w, EM_LIMITTEXT, 5, 0); },
         [](const tk::TEdit& e) { return e.MaxLength() == 5; }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.change);
        EXPECT_FALSE(row.holds(*edit)) << "before";
        row.apply(edit->Handle());
        EXPECT_TRUE(row.holds(*edit));
    }
    auto expectAll = [&](const char* phase) {
        for (const auto& row : rows) EXPECT_TRUE(row.holds(*edit)) << row.change << ", " << phase;
    };
    ::DestroyWindow(edit->Handle());
    ASSERT_FALSE(edit->HandleAllocated());
    expectAll("without a window");
    edit->HandleNeeded();
    ASSERT_TRUE(edit->HandleAllocated());
    expectAll("in the window made anew");
}

} // namespace
