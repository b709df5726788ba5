// Keyboard handling of toolkit windows: the tab cycle and menu shortcuts, driven by real
// key messages as the host's message loop would deliver them.
#include "tests/toolkit/GeometryForms.h"
#include "toolkit/widgets/Edit.h"
#include "toolkit/widgets/Memo.h"
#include "toolkit/widgets/MenuItem.h"
#include "toolkit/widgets/Panel.h"
#include "toolkit/widgets/PopupMenu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

GEOMETRY_FORM(TGeometryTabForm)

class TGeometryShortcutForm : public tk::TForm {
public:
    using TForm::TForm;
    static const tk::TClassInfo& StaticClass()
    {
        static const tk::TClassInfo& info =
            tk::TClassInfo::Define("TGeometryShortcutForm", &tk::TForm::StaticClass(), nullptr, [](tk::TClassInfo& c) {
                c.Published("HelpItemClick", &TGeometryShortcutForm::HelpItemClick);
            });
        return info;
    }
    const tk::TClassInfo& ClassType() const override { return StaticClass(); }

    void HelpItemClick(tk::TObject* sender)
    {
        ++helpClicks;
        lastSender = sender;
    }

    int helpClicks = 0;
    tk::TObject* lastSender = nullptr;
};

LPARAM KeyData(UINT key) { return 1 | static_cast<LPARAM>(::MapVirtualKeyA(key, 0) << 16); }

// A key as the message loop delivers it: posted, translated (Tab becomes a '\t'
// character for the same window) and dispatched.
void PostKey(HWND target, UINT key)
{
    ::PostMessageA(target, WM_KEYDOWN, key, KeyData(key));
    ts::PumpMessages();
}

// Holds modifier keys down in the thread's keyboard state for as long as it lives.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys)
    {
        ::GetKeyboardState(m_saved);
        BYTE state[256];
        std::copy(std::begin(m_saved), std::end(m_saved), state);
        for (int key : keys)
            if (key) state[key] |= 0x80;
        ::SetKeyboardState(state);
    }
    ~HeldKeys() { ::SetKeyboardState(m_saved); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE m_saved[256];
};

std::string FocusedName()
{
    HWND focus = ::GetFocus();
    if (!focus) return "(nothing)";
    tk::TWinControl* c = tk::TWinControl::FromHandle(focus);
    return c ? c->Name() : "(foreign window)";
}

using geometry::ShowForm;

TEST(KeyboardTab, TabWalksTheTabOrderPastUnreachableControlsAndWraps)
{
    auto form = ShowForm<TGeometryTabForm>();
    // Inside the group its own order applies, at the group's place in the window's order.
    const std::vector<std::string> cycle{"EditB", "EditInGroup2", "EditInGroup1", "Notes", "EditA", "EditLast"};
    const size_t n = cycle.size();
    auto* start = dynamic_cast<tk::TWinControl*>(form->FindComponent("EditB"));
    ASSERT_NE(start, nullptr);
    start->SetFocus();
    ASSERT_EQ(FocusedName(), "EditB");

    for (size_t i = 1; i <= n + 1; ++i) {
        PostKey(::GetFocus(), VK_TAB);
        EXPECT_EQ(FocusedName(), cycle[i % n]) << "Tab number " << i;
    }
    {
        HeldKeys shift{VK_SHIFT};
        // The focus is on cycle[1] now; Shift+Tab walks back across the start.
        for (size_t i = 1; i <= n + 1; ++i) {
            PostKey(::GetFocus(), VK_TAB);
            EXPECT_EQ(FocusedName(), cycle[(1 + n * 2 - i) % n]) << "Shift+Tab number " << i;
        }
    }

    // Neither the posted keys nor a Tab character sent straight to the memo typed anything.
    auto* notes = dynamic_cast<tk::TMemo*>(form->FindComponent("Notes"));
    ASSERT_NE(notes, nullptr);
    ::SendMessageA(notes->Handle(), WM_CHAR, '\t', KeyData(VK_TAB));
    for (const std::string& name : cycle) {
        auto* edit = dynamic_cast<tk::TCustomEdit*>(form->FindComponent(name));
        ASSERT_NE(edit, nullptr) << name;
        EXPECT_EQ(edit->Text(), "") << name;
    }
}

TEST(KeyboardTab, WithoutTabStopsTheFocusStaysWhereItIs)
{
    std::unique_ptr<tk::TForm> form(new tk::TForm(nullptr));
    form->SetClientWidth(200);
    form->SetClientHeight(100);
    std::vector<tk::TEdit*> edits;
    for (int i = 0; i < 2; ++i) {
        auto* edit = new tk::TEdit(form.get());
        edit->SetName("Edit" + std::to_string(i + 1));
        edit->SetParent(form.get());
        edit->SetTop(8 + 30 * i);
        edit->SetTabStop(false);
        edits.push_back(edit);
    }
    auto* panel = new tk::TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetTop(70);
    form->Show();
    ts::PumpMessages();

    for (tk::TWinControl* focus :
         {static_cast<tk::TWinControl*>(edits[1]), static_cast<tk::TWinControl*>(form.get())}) {
        SCOPED_TRACE(focus == form.get() ? "focus on the window" : "focus on an edit");
        focus->SetFocus();
        ASSERT_EQ(::GetFocus(), focus->Handle());
        PostKey(focus->Handle(), VK_TAB);
        EXPECT_EQ(::GetFocus(), focus->Handle());
        {
            HeldKeys shift{VK_SHIFT};
            PostKey(focus->Handle(), VK_TAB);
        }
        EXPECT_EQ(::GetFocus(), focus->Handle());
    }
    for (tk::TEdit* edit : edits) EXPECT_EQ(edit->Text(), "");
}

class KeyboardShortcut : public testing::Test {
protected:
    void SetUp() override
    {
        form = ShowForm<TGeometryShortcutForm>();
        field = dynamic_cast<tk::TEdit*>(form->FindComponent("Field"));
        item = dynamic_cast<tk::TMenuItem*>(form->FindComponent("HelpItem"));
        ASSERT_NE(field, nullptr);
        ASSERT_NE(item, nullptr);
        ASSERT_NE(form->PopupMenu(), nullptr);
        ASSERT_EQ(item->ShortCut(), 123);
    }

    int Caret() const
    {
        DWORD start = 0, end = 0;
        ::SendMessageA(field->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return static_cast<int>(end);
    }

    std::unique_ptr<TGeometryShortcutForm> form;
    tk::TEdit* field = nullptr;
    tk::TMenuItem* item = nullptr;
};

TEST_F(KeyboardShortcut, F12RunsTheEnabledEntryOnceAndOtherKeysReachTheEdit)
{
    enum Modifier { none, shift, ctrl, alt };
    const struct {
        bool focusOnForm;
        UINT key;
        Modifier modifier;
        bool itemEnabled;
        int runs;
        const char* text; // the edit's text afterwards, the caret starting at 0
        int caret;
    } rows[] = {
        {false, VK_F12, none, true, 1, "abc", 0},   {true, VK_F12, none, true, 1, "abc", 0},
        {false, VK_F12, none, false, 0, "abc", 0},  {true, VK_F12, none, false, 0, "abc", 0},
        {false, VK_F12, shift, true, 0, "abc", 0},  {false, VK_F12, ctrl, true, 0, "abc", 0},
        {false, VK_F12, alt, true, 0, "abc", 0},    {false, VK_F11, none, true, 0, "abc", 0},
        {false, VK_END, none, true, 0, "abc", 3},   {false, VK_RIGHT, none, true, 0, "abc", 1},
        {false, VK_DELETE, none, true, 0, "bc", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "key " << row.key << " modifier " << row.modifier << " on "
                                        << (row.focusOnForm ? "window" : "edit") << " entry enabled "
                                        << row.itemEnabled);
        field->SetText("abc");
        ::SendMessageA(field->Handle(), EM_SETSEL, 0, 0);
        item->SetEnabled(row.itemEnabled);
        form->helpClicks = 0;
        form->lastSender = nullptr;
        tk::TWinControl* target = row.focusOnForm ? static_cast<tk::TWinControl*>(form.get()) : field;
        target->SetFocus();
        ASSERT_EQ(::GetFocus(), target->Handle());
        {
            const int modifierKey[] = {0, VK_SHIFT, VK_CONTROL, VK_MENU};
            HeldKeys held{modifierKey[row.modifier]};
            const UINT message = row.modifier == alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
            ::SendMessageA(target->Handle(), message, row.key, KeyData(row.key));
        }
        EXPECT_EQ(form->helpClicks, row.runs);
        if (row.runs) {
            EXPECT_EQ(form->lastSender, item);
        }
        EXPECT_EQ(field->Text(), row.text);
        EXPECT_EQ(Caret(), row.caret);
    }
}

TEST_F(KeyboardShortcut, F12ThroughTheMessageLoopAndAfterTheMenuIsGone)
{
    field->SetFocus();
    PostKey(field->Handle(), VK_F12);
    EXPECT_EQ(form->helpClicks, 1);

    // The window hears of its menu's destruction and stops asking it.
    delete form->PopupMenu();
    EXPECT_EQ(form->PopupMenu(), nullptr);
    PostKey(field->Handle(), VK_F12);
    form->SetFocus();
    PostKey(form->Handle(), VK_F12);
    EXPECT_EQ(form->helpClicks, 1);
}

} // namespace
