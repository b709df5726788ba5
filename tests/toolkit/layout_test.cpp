// Stored layouts: inheritance between window classes, and the errors a bad layout raises.
#include "tests/support/MessageBoxes.h"
#include "toolkit/base/ClassInfo.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/forms/Form.h"
#include "toolkit/forms/StoredLayout.h"
#include "toolkit/widgets/Edit.h"
#include "toolkit/widgets/ImageList.h"
#include "toolkit/widgets/Label.h"
#include "toolkit/widgets/Memo.h"
#include "toolkit/widgets/MenuItem.h"
#include "toolkit/widgets/Panel.h"
#include "toolkit/widgets/PopupMenu.h"
#include "toolkit/widgets/SpeedButton.h"
#include "toolkit/widgets/StaticText.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The base window: its handlers are plain (not virtual) methods, so which one an event
// reaches shows which class's published entry the layout bound.
class TLayoutBaseForm : public tk::TForm {
public:
    using TForm::TForm;
    static const tk::TClassInfo& StaticClass()
    {
        static const tk::TClassInfo& info =
            tk::TClassInfo::Define("TLayoutBaseForm", &tk::TForm::StaticClass(), nullptr, [](tk::TClassInfo& c) {
                c.Published("FormCreate", &TLayoutBaseForm::FormCreate);
                c.Published("ButtonClick", &TLayoutBaseForm::ButtonClick);
                c.Published("EditChange", &TLayoutBaseForm::EditChange);
                c.Published("ItemClick", &TLayoutBaseForm::ItemClick);
            });
        return info;
    }
    const tk::TClassInfo& ClassType() const override { return StaticClass(); }

    void FormCreate(tk::TObject*)
    {
        ++creates;
        componentsAtCreate = ComponentCount();
        captionAtCreate = Caption();
    }
    void ButtonClick(tk::TObject*) { log.push_back("base click"); }
    void EditChange(tk::TObject*) { ++changes; }
    void ItemClick(tk::TObject*) { log.push_back("item"); }

    std::vector<std::string> log;
    int creates = 0;
    int componentsAtCreate = -1;
    std::string captionAtCreate;
    int changes = 0;
};

// Re-publishes ButtonClick; its handler passes on to the base's as an override would.
class TLayoutDerivedForm : public TLayoutBaseForm {
public:
    using TLayoutBaseForm::TLayoutBaseForm;
    static const tk::TClassInfo& StaticClass()
    {
        static const tk::TClassInfo& info = tk::TClassInfo::Define(
            "TLayoutDerivedForm", &TLayoutBaseForm::StaticClass(), nullptr,
            [](tk::TClassInfo& c) { c.Published("ButtonClick", &TLayoutDerivedForm::ButtonClick); });
        return info;
    }
    const tk::TClassInfo& ClassType() const override { return StaticClass(); }

    void ButtonClick(tk::TObject* sender)
    {
        log.push_back("derived click");
        TLayoutBaseForm::ButtonClick(sender);
    }
};

// A window without a stored layout, for layouts given as text.
class TLayoutPlainForm : public tk::TForm {
public:
    using TForm::TForm;
    static const tk::TClassInfo& StaticClass()
    {
        static const tk::TClassInfo& info =
            tk::TClassInfo::Define("TLayoutPlainForm", &tk::TForm::StaticClass(), nullptr,
                                   [](tk::TClassInfo& c) { c.Published("Known", &TLayoutPlainForm::Known); });
        return info;
    }
    const tk::TClassInfo& ClassType() const override { return StaticClass(); }
    void Known(tk::TObject*) {}
};

// Its stored layout fails halfway through.
class TLayoutBrokenForm : public tk::TForm {
public:
    using TForm::TForm;
    static const tk::TClassInfo& StaticClass()
    {
        static const tk::TClassInfo& info =
            tk::TClassInfo::Define("TLayoutBrokenForm", &tk::TForm::StaticClass(), nullptr, [](tk::TClassInfo& c) {
                c.Published("FormCreate", &TLayoutBrokenForm::FormCreate);
            });
        return info;
    }
    const tk::TClassInfo& ClassType() const override { return StaticClass(); }
    void FormCreate(tk::TObject*) { ++s_creates; }
    static inline int s_creates = 0;
};

template <class T>
std::unique_ptr<T> Create()
{
    return std::unique_ptr<T>(tk::CreateForm<T>(nullptr));
}

// A component the test relies on; a missing one ends the test rather than crashing it.
template <class T>
T* Find(const tk::TComponent& owner, const char* name)
{
    auto* found = dynamic_cast<T*>(owner.FindComponent(name));
    if (!found) throw std::runtime_error(std::string("no component ") + name);
    return found;
}

tk::TControl& Ctl(tk::TComponent& owner, const char* name) { return *Find<tk::TControl>(owner, name); }

std::vector<std::string> OwnedNames(const tk::TComponent& owner)
{
    std::vector<std::string> names;
    for (const tk::TComponent* c : owner.OwnedComponents()) names.push_back(c->Name() + ":" + c->ClassType().Name());
    return names;
}

// ---- Inheritance -------------------------------------------------------------------

class LayoutInheritance : public ::testing::Test {
protected:
    // Any failure inside the windows' guards would otherwise open a real, blocking box.
    ts::MessageBoxRecorder boxes;
    void TearDown() override { EXPECT_TRUE(boxes.Texts().empty()) << boxes.Texts().front(); }
};

TEST_F(LayoutInheritance, ComponentsAreOwnedInLayoutOrderBaseLayoutFirst)
{
    const std::vector<std::string> base{
        "TopPanel:TPanel",      "NameEdit:TEdit",     "NotesMemo:TMemo",
        "InfoText:TStaticText", "HintLabel:TLabel",   "GoButton:TSpeedButton",
        "BaseMenu:TPopupMenu",  "OpenItem:TMenuItem", "BaseImages:TImageList",
    };
    std::vector<std::string> derived = base;
    for (const char* added :
         {"ExtraItem:TMenuItem", "DerivedLabel:TLabel", "DerivedButton:TSpeedButton", "DerivedImages:TImageList"})
        derived.push_back(added);

    EXPECT_EQ(OwnedNames(*Create<TLayoutBaseForm>()), base);
    auto form = Create<TLayoutDerivedForm>();
    EXPECT_EQ(OwnedNames(*form), derived);
    EXPECT_EQ(form->Name(), "LayoutDerivedForm");
}

TEST_F(LayoutInheritance, PropertiesOfBothLayersApplyAndTheDerivedLayerWins)
{
    auto base = Create<TLayoutBaseForm>();
    auto derived = Create<TLayoutDerivedForm>();

    const struct {
        const char* what;
        std::string inBase, inDerived;
        std::string (*get)(tk::TForm&);
    } rows[] = {
        {"caption", "Base window", "Derived window", [](tk::TForm& f) { return f.Caption(); }},
        {"client width", "300", "340", [](tk::TForm& f) { return std::to_string(f.ClientWidth()); }},
        {"client height", "200", "200", [](tk::TForm& f) { return std::to_string(f.ClientHeight()); }},
        {"panel height", "40", "48", [](tk::TForm& f) { return std::to_string(Ctl(f, "TopPanel").Height()); }},
        {"panel width", "300", "300", [](tk::TForm& f) { return std::to_string(Ctl(f, "TopPanel").Width()); }},
        {"button left", "220", "260", [](tk::TForm& f) { return std::to_string(Ctl(f, "GoButton").Left()); }},
        {"button top", "48", "48", [](tk::TForm& f) { return std::to_string(Ctl(f, "GoButton").Top()); }},
        {"edit text with quotes", "base text", "It's derived", [](tk::TForm& f) { return Ctl(f, "NameEdit").Text(); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(row.get(*base), row.inBase);
        EXPECT_EQ(row.get(*derived), row.inDerived);
    }

    // Properties only the base layout sets reach the derived window too.
    for (tk::TForm* form : {static_cast<tk::TForm*>(base.get()), static_cast<tk::TForm*>(derived.get())}) {
        SCOPED_TRACE(form->Name());
        auto* memo = Find<tk::TMemo>(*form, "NotesMemo");
        EXPECT_EQ(memo->ScrollBars(), tk::TScrollStyle::ssVertical);
        EXPECT_FALSE(memo->WordWrap());
        EXPECT_TRUE(GetWindowLongA(memo->Handle(), GWL_STYLE) & WS_VSCROLL);
        EXPECT_EQ(memo->Text(), "Notes");
        EXPECT_EQ(Ctl(*form, "InfoText").Text(), "It's 'quoted'");
        EXPECT_EQ(Ctl(*form, "HintLabel").Text(), "G\xFCltig");
        EXPECT_EQ(Ctl(*form, "TopPanel").Color(), tk::clWhite);
        EXPECT_EQ(Ctl(*form, "GoButton").Cursor(), tk::crHandPoint);
        auto* item = Find<tk::TMenuItem>(*form, "OpenItem");
        EXPECT_EQ(item->Caption(), "\xD6"
                                   "ffnen");
        EXPECT_EQ(item->ShortCut(), VK_F12);
        EXPECT_EQ(Find<tk::TImageList>(*form, "BaseImages")->Width(), 20);
        EXPECT_EQ(Find<tk::TImageList>(*form, "BaseImages")->Height(), 12);
    }
    EXPECT_EQ(Ctl(*derived, "DerivedLabel").Text(), "Gr\xF6\xDF"
                                                    "e");
    // The edit's own window holds the text, quote included.
    char shown[64] = {};
    GetWindowTextA(Find<tk::TEdit>(*derived, "NameEdit")->Handle(), shown, sizeof shown);
    EXPECT_STREQ(shown, "It's derived");
}

TEST_F(LayoutInheritance, ReferencesAndParentsResolveEvenToComponentsCreatedLater)
{
    auto base = Create<TLayoutBaseForm>();
    auto derived = Create<TLayoutDerivedForm>();

    // PopupMenu and Images name components that the layout creates further down.
    for (tk::TForm* form : {static_cast<tk::TForm*>(base.get()), static_cast<tk::TForm*>(derived.get())}) {
        SCOPED_TRACE(form->Name());
        EXPECT_EQ(form->PopupMenu(), Find<tk::TPopupMenu>(*form, "BaseMenu"));
        EXPECT_EQ(Find<tk::TEdit>(*form, "NameEdit")->Parent(), Find<tk::TPanel>(*form, "TopPanel"));
        EXPECT_EQ(Find<tk::TPanel>(*form, "TopPanel")->Parent(), form);
        EXPECT_EQ(Find<tk::TLabel>(*form, "HintLabel")->Parent(), form);
        EXPECT_EQ(GetParent(Find<tk::TEdit>(*form, "NameEdit")->Handle()),
                  Find<tk::TPanel>(*form, "TopPanel")->Handle());
    }
    EXPECT_EQ(Find<tk::TPopupMenu>(*base, "BaseMenu")->Images(), Find<tk::TImageList>(*base, "BaseImages"));
    EXPECT_EQ(Find<tk::TPopupMenu>(*derived, "BaseMenu")->Images(), Find<tk::TImageList>(*derived, "DerivedImages"));

    // An entry added to an inherited menu comes after the base's own.
    const std::vector<tk::TMenuItem*> items{Find<tk::TMenuItem>(*derived, "OpenItem"),
                                            Find<tk::TMenuItem>(*derived, "ExtraItem")};
    EXPECT_EQ(Find<tk::TPopupMenu>(*derived, "BaseMenu")->Items(), items);
    EXPECT_EQ(Find<tk::TSpeedButton>(*derived, "DerivedButton")->Parent(), derived.get());
}

TEST_F(LayoutInheritance, EventsReachTheMostDerivedPublishedHandler)
{
    auto base = Create<TLayoutBaseForm>();
    auto derived = Create<TLayoutDerivedForm>();
    const struct {
        TLayoutBaseForm* form;
        const char* component;
        std::vector<std::string> log;
    } rows[] = {
        {base.get(), "GoButton", {"base click"}},
        {derived.get(), "GoButton", {"derived click", "base click"}}, // bound by the base layout
        {derived.get(), "DerivedButton", {"derived click", "base click"}},
        {derived.get(), "OpenItem", {"item"}}, // only the base publishes ItemClick
        {derived.get(), "ExtraItem", {"item"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.form->Name()) + "." + row.component);
        row.form->log.clear();
        tk::TComponent* c = row.form->FindComponent(row.component);
        if (auto* item = dynamic_cast<tk::TMenuItem*>(c)) item->Click();
        else if (auto* control = dynamic_cast<tk::TControl*>(c)) control->Click();
        else FAIL() << "not found";
        EXPECT_EQ(row.form->log, row.log);
    }

    // The shortcut reaches the same handler through the window's menu.
    derived->log.clear();
    EXPECT_TRUE(derived->IsShortCut(VK_F12));
    EXPECT_EQ(derived->log, std::vector<std::string>{"item"});

    const int changes = derived->changes;
    Find<tk::TEdit>(*derived, "NameEdit")->SetText("typed");
    EXPECT_EQ(derived->changes, changes + 1);
}

TEST_F(LayoutInheritance, OnCreateRunsOnceAfterEveryLayerIsRead)
{
    auto base = Create<TLayoutBaseForm>();
    auto derived = Create<TLayoutDerivedForm>();
    EXPECT_EQ(base->creates, 1);
    EXPECT_EQ(base->componentsAtCreate, base->ComponentCount());
    EXPECT_EQ(base->captionAtCreate, "Base window");
    EXPECT_EQ(derived->creates, 1);
    EXPECT_EQ(derived->componentsAtCreate, derived->ComponentCount());
    EXPECT_EQ(derived->captionAtCreate, "Derived window");
}

// ---- Errors ------------------------------------------------------------------------

class LayoutErrors : public LayoutInheritance {};

TEST_F(LayoutErrors, EachFaultIsRefusedNamingFileLineAndWord)
{
    // Every construct a fault row breaks, read without fault.
    const char* const good = "object Plain: TLayoutPlainForm\n"
                             "  PopupMenu = Menu\n"
                             "  OnCreate = Known\n"
                             "  object Box: TPanel\n"
                             "    Width = 50\n"
                             "  end\n"
                             "  inherited Box: TPanel\n"
                             "    Height = 20\n"
                             "  end\n"
                             "  object Menu: TPopupMenu\n"
                             "  end\n"
                             "end\n";
    {
        auto form = std::make_unique<TLayoutPlainForm>(nullptr);
        EXPECT_NO_THROW(tk::StoredLayout(*form, "Plain.layout", good).Read());
        EXPECT_EQ(form->PopupMenu(), form->FindComponent("Menu"));
    }

    const struct {
        const char* fault;
        const char* text;
        int line;
        const char* word;
    } rows[] = {
        {"unknown class of a component", "object Plain: TLayoutPlainForm\n  object Box: TNoSuchControl\n  end\nend\n",
         2, "TNoSuchControl"},
        {"unknown class of the window", "object Plain: TNoSuchForm\nend\n", 1, "TNoSuchForm"},
        {"unknown property after a comment",
         "object Plain: TLayoutPlainForm\n# a comment counts as a line\n  object Box: TPanel\n    Colour = clRed\n  "
         "end\nend\n",
         4, "Colour"},
        {"unknown component in a reference",
         "object Plain: TLayoutPlainForm\n  Caption = 'x'\n  PopupMenu = NoSuchMenu\n  object Menu: TPopupMenu\n  "
         "end\nend\n",
         3, "NoSuchMenu"},
        {"unknown component in inherited",
         "object Plain: TLayoutPlainForm\n  inherited Ghost: TPanel\n    Width = 5\n  end\nend\n", 2, "Ghost"},
        {"unknown handler", "object Plain: TLayoutPlainForm\n  OnCreate = Known\n  OnShow = Unknown\nend\n", 3,
         "Unknown"},
        {"text where a number belongs",
         "object Plain: TLayoutPlainForm\n  Caption = 'x'\n  ClientWidth = 'wide'\nend\n", 3, "wide"},
        {"number with letters", "object Plain: TLayoutPlainForm\n  ClientWidth = 12px\nend\n", 2, "12px"},
        // The object whose end is missing is named with the line that opened it.
        {"missing end", "object Plain: TLayoutPlainForm\n  object Box: TPanel\n    Width = 5\n  end\n", 1, "Plain"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        auto form = std::make_unique<TLayoutPlainForm>(nullptr);
        try {
            tk::StoredLayout(*form, "Plain.layout", row.text).Read();
            ADD_FAILURE() << "accepted";
        } catch (const tk::ELayoutError& e) {
            const std::string message = e.what();
            const std::string where = "Plain.layout(" + std::to_string(row.line) + "):";
            EXPECT_EQ(message.rfind(where, 0), 0u) << message;
            EXPECT_NE(message.find(std::string("'") + row.word + "'"), std::string::npos) << message;
        }
    }
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

// The top-level windows of the calling thread, hidden ones included.
std::vector<HWND> ThreadWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

TEST_F(LayoutErrors, CreateFormWithABadStoredLayoutFailsAndLeavesNoWindow)
{
    // A first window makes whatever the thread keeps for good (an input method window).
    std::make_unique<TLayoutPlainForm>(nullptr).reset();
    const size_t before = ThreadWindows().size();
    TLayoutBrokenForm::s_creates = 0;
    try {
        delete tk::CreateForm<TLayoutBrokenForm>(nullptr);
        ADD_FAILURE() << "created";
    } catch (const tk::ELayoutError& e) {
        EXPECT_STREQ(e.what(), "TLayoutBrokenForm.layout(10): unknown property 'Colour'");
    }
    EXPECT_EQ(ThreadWindows().size(), before);
    EXPECT_EQ(TLayoutBrokenForm::s_creates, 0);
}

} // namespace
