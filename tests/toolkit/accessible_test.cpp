// The accessible object of a form's client area, on a form of the toolkit's own: what it
// tells clients of changes (NotifyWinEvent), a default action asked for while the queue
// still holds it, its reference counts, and a label's link to a field that goes.
#include "host/script/AccessibleWindow.h"
#include "tests/support/MessageParty.h"
#include "tests/support/Pump.h"
#include "toolkit/forms/Form.h"
#include "toolkit/widgets/Edit.h"
#include "toolkit/widgets/Label.h"
#include "toolkit/widgets/SpeedButton.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

namespace {

constexpr LONG kMarkerChild = 999;

// The events the form's window raises, recorded by a hook of this thread.
struct Event {
    DWORD event;
    LONG child;
    bool operator==(const Event&) const = default;
};
std::vector<Event> g_events;
HWND g_hooked = nullptr;

void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD)
{
    if (hwnd == g_hooked && object == OBJID_CLIENT) g_events.push_back({event, child});
}

class AccessibleForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<tk::TForm>(nullptr);
        form->SetBounds(30, 30, 240, 120);
        button = new tk::TSpeedButton(form.get());
        button->SetParent(form.get());
        button->SetBounds(10, 60, 40, 30);
        button->SetHint("Save");
        button->OnClick = [this](tk::TObject*) { ++clicks; };
        label = new tk::TLabel(form.get());
        label->SetParent(form.get());
        label->SetBounds(10, 10, 40, 13);
        label->SetCaption("Name:");
        edit = new tk::TEdit(form.get());
        edit->SetParent(form.get());
        edit->SetBounds(60, 10, 100, 19);
        label->SetFocusControl(edit);
        form->Show();
        ts::PumpMessages();
    }
    // Pumps until everything queued before now has run: a message of the party's own
    // comes back last.
    void PumpPastMarker()
    {
        party.Clear();
        ::PostMessageA(party.Window(), party.MessageId(), 77, 0);
        ASSERT_TRUE(ts::PumpUntil([&] { return !party.Received().empty(); }));
    }
    LONG Id(const tk::TControl* control) const { return form->AccessibleChildId(control); }

    std::unique_ptr<tk::TForm> form;
    tk::TSpeedButton* button = nullptr;
    tk::TLabel* label = nullptr;
    tk::TEdit* edit = nullptr;
    int clicks = 0;
    ts::MessageParty party;
};

TEST_F(AccessibleForm, StateAndNameChangesAreAnnounced)
{
    g_hooked = form->Handle();
    const HWINEVENTHOOK hook =
        ::SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, Record, ::GetCurrentProcessId(),
                          ::GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    const struct {
        const char* what;
        std::function<void()> change;
        std::vector<Event> expected;
    } rows[] = {
        {"disable", [&] { button->SetEnabled(false); }, {{EVENT_OBJECT_STATECHANGE, Id(button)}}},
        {"disable again", [&] { button->SetEnabled(false); }, {}},
        {"enable", [&] { button->SetEnabled(true); }, {{EVENT_OBJECT_STATECHANGE, Id(button)}}},
        {"hide", [&] { button->SetVisible(false); }, {{EVENT_OBJECT_STATECHANGE, Id(button)}}},
        {"new hint", [&] { button->SetHint("Sichern"); }, {{EVENT_OBJECT_NAMECHANGE, Id(button)}}},
        {"same hint", [&] { button->SetHint("Sichern"); }, {}},
        {"new caption", [&] { label->SetCaption("Feld:"); }, {{EVENT_OBJECT_NAMECHANGE, Id(label)}}},
        // A label's name is its caption: its hint does not rename it.
        {"label's hint", [&] { label->SetHint("tip"); }, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        g_events.clear();
        row.change();
        ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, g_hooked, OBJID_CLIENT, kMarkerChild);
        ASSERT_TRUE(ts::PumpUntil([] { return !g_events.empty() && g_events.back().child == kMarkerChild; }));
        g_events.pop_back();
        EXPECT_EQ(g_events, row.expected);
    }
    ::UnhookWinEvent(hook);
}

// A request for the default action runs from the queue: what happened to the button
// meanwhile decides.
TEST_F(AccessibleForm, AQueuedDefaultActionRunsOnlyForAButtonStillThereAndEnabled)
{
    const struct {
        const char* what;
        std::function<void()> meanwhile;
        int clicks;
    } rows[] = {
        {"nothing", [] {}, 1},
        {"disabled", [&] { button->SetEnabled(false); }, 0},
        {"destroyed",
         [&] {
             delete button;
             button = nullptr;
         },
         0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        button->SetEnabled(true);
        clicks = 0;
        const Host::AccessibleWindow client(form->Handle());
        EXPECT_EQ(client.Press(Id(button)), S_OK);
        EXPECT_EQ(clicks, 0) << "ran inside the client's call";
        row.meanwhile();
        PumpPastMarker();
        EXPECT_EQ(clicks, row.clicks);
    }
}

// Every ask hands out one reference that the client gives back; the window keeps one of
// its own until it goes, and the object outlives it.
TEST_F(AccessibleForm, ReferencesAreExactAndTheObjectOutlivesTheForm)
{
    const Host::AccessibleWindow client(form->Handle());
    IAccessible* object = client.Object();
    const auto references = [&] {
        object->AddRef();
        return object->Release();
    };
    const ULONG held = references();
    EXPECT_EQ(held, 2u) << "the window's and the client's";
    for (int i = 0; i < 10; ++i) {
        const Host::AccessibleWindow again(form->Handle());
        EXPECT_EQ(again.Object(), object) << "one object for the window";
    }
    EXPECT_EQ(references(), held);
    form.reset();
    EXPECT_EQ(references(), 1u) << "the form let go of its reference";
}

// A label keeps no pointer to a field that goes.
TEST_F(AccessibleForm, ALabelLetsGoOfItsFieldWhenTheFieldGoes)
{
    delete edit;
    EXPECT_EQ(label->FocusControl(), nullptr);
}

} // namespace
