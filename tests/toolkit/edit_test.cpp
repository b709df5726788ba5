// Change events and text of an edit field on a real window.
#include "toolkit/Edit.h"
#include "toolkit/Form.h"

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
        {"Gr\xFC\xDF" "e \xE4\xF6\xFC \xC4\xD6\xDC \x80 \x84zitiert\x93", true},
        {"Gr\xFC\xDF" "e \xE4\xF6\xFC \xC4\xD6\xDC \x80 \x84zitiert\x93", false},
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
        {'a', "a", true},
        {0xFC, "a\xFC", true},
        {VK_BACK, "a", true},
        {VK_BACK, "", true}, // emptied by the user
        {VK_BACK, "", false},
        {'z', "z", true},
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

} // namespace
