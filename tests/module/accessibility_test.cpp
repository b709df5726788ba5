// The tip window of the real Tipp211.dll as a screen reader or an automation client sees
// it through Wine's oleacc: the accessible object of its client area, the windowless
// buttons and labels among its children, the fields named by their labels, pressing
// through the interface, and an object kept past ModulFree.
#include "host/script/AccessibleWindow.h"
#include "tests/support/Pump.h"
#include "tests/support/SavingTip.h"

#include <gtest/gtest.h>

namespace {

using Element = Host::AccessibleWindow::Element;
using Messages = std::vector<ts::ReceivedMessage>;

VARIANT Id(long id)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::string Name(IAccessible* object, long id = CHILDID_SELF)
{
    BSTR name = nullptr;
    const HRESULT hr = object->get_accName(Id(id), &name);
    const std::string text = SUCCEEDED(hr) ? Host::AnsiText(name) : "(failed)";
    ::SysFreeString(name);
    return text;
}

RECT OnScreen(HWND window, RECT r)
{
    ::MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The windowless controls of the tip window and what a client learns of them.
struct Described {
    const ts::TipControl& control;
    long role;
    const char* german;
    const char* english;
    bool usableWhenUnsupported;
};
const Described kElements[] = {
    {ts::tip::kOK, ROLE_SYSTEM_PUSHBUTTON, "\xC4nderungen werden gespeichert", "Changes will be saved immediately",
     false},
    {ts::tip::kUndo, ROLE_SYSTEM_PUSHBUTTON, "Setzt alles wieder auf die Standartwerte", "Restore defaults", false},
    {ts::tip::kInfo, ROLE_SYSTEM_PUSHBUTTON, "G\xFCltig f\xFCr ... ", "Valid to ...", true},
    {ts::tip::kRegistry, ROLE_SYSTEM_PUSHBUTTON, "Wert in der Registry nachschlagen", "Registry Lookup", true},
    {ts::tip::kPagingDriveLabel, ROLE_SYSTEM_STATICTEXT, "PagingDrive:", "PagingDrive:", false},
    {ts::tip::kPagingFileLabel, ROLE_SYSTEM_STATICTEXT, "PagingFile:", "PagingFile:", false},
};
const char* NameIn(const Described& d, int language) { return language == 1 ? d.english : d.german; }

class AccessibilityTest : public ts::SavingTip {
protected:
    void Open(int language = 0, int osMask = 0x1FFF)
    {
        window = OpenWindow(language, osMask);
        ASSERT_NE(window, nullptr);
    }
    // Presses the element of this name through the interface and waits until `done`.
    void Press(const std::string& name, const std::function<bool()>& done)
    {
        const Host::AccessibleWindow client(window);
        const std::vector<Element> elements = client.Elements();
        const Element* e = Host::AccessibleWindow::Find(elements, ROLE_SYSTEM_PUSHBUTTON, name);
        ASSERT_NE(e, nullptr) << name;
        EXPECT_EQ(client.Press(e->id), S_OK);
        EXPECT_TRUE(ts::PumpUntil(done));
    }
    HWND window = nullptr;
};

TEST_F(AccessibilityTest, ButtonsAndLabelsAreElementsWithTheirRolesNamesPlacesAndStates)
{
    for (int language : {0, 1}) {
        for (int osMask : {0x1FFF, 0}) {
            SCOPED_TRACE(testing::Message() << "language " << language << ", OSMask " << osMask);
            Open(language, osMask);
            const Host::AccessibleWindow client(window);
            IAccessible* object = client.Object();
            const std::vector<Element> elements = client.Elements();
            EXPECT_EQ(elements.size(), std::size(kElements));
            for (const Described& d : kElements) {
                SCOPED_TRACE(d.control.name);
                const Element* e = Host::AccessibleWindow::Find(elements, d.role, NameIn(d, language));
                ASSERT_NE(e, nullptr);
                const RECT place = OnScreen(window, d.control.Rect());
                EXPECT_TRUE(::EqualRect(&e->place, &place));
                const bool usable = osMask != 0 || d.usableWhenUnsupported;
                EXPECT_EQ((e->state & STATE_SYSTEM_UNAVAILABLE) != 0, !usable);
                EXPECT_EQ(e->state & STATE_SYSTEM_INVISIBLE, 0);
                const bool button = d.role == ROLE_SYSTEM_PUSHBUTTON;
                EXPECT_EQ(e->action, button ? (language == 1 ? "Press"
                                                             : "Dr\xFC"
                                                               "cken")
                                            : "");
                VARIANT hit{};
                const POINT centre{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
                EXPECT_EQ(object->accHitTest(centre.x, centre.y, &hit), S_OK);
                EXPECT_TRUE(hit.vt == VT_I4 && hit.lVal == e->id);
            }
            // Navigation walks the same list the child count gives, the child windows
            // (objects of their own) among the elements.
            long count = 0;
            ASSERT_EQ(object->get_accChildCount(&count), S_OK);
            EXPECT_EQ(count, static_cast<long>(std::size(kElements)) + ts::tip::kWindowedControls);
            VARIANT at{};
            HRESULT hr = object->accNavigate(NAVDIR_FIRSTCHILD, Id(CHILDID_SELF), &at);
            long visited = 0;
            for (long id = 1; hr == S_OK; ++id, ++visited) {
                if (at.vt == VT_DISPATCH) at.pdispVal->Release();
                else EXPECT_TRUE(at.vt == VT_I4 && at.lVal == id);
                hr = object->accNavigate(NAVDIR_NEXT, Id(id), &at);
            }
            EXPECT_EQ(hr, S_FALSE);
            EXPECT_EQ(visited, count);
            EXPECT_EQ(tip.Api().Free(), 1);
        }
    }
}

TEST_F(AccessibilityTest, FieldsAreNamedByTheirLabels)
{
    ts::SystemIni::Write("[386Enh]\r\nPagingDrive=C:\r\nPagingFile=C:\\WIN386.SWP\r\n");
    for (int language : {0, 1}) {
        Open(language);
        const Host::AccessibleWindow form(window);
        const struct {
            const ts::TipControl& field;
            const char* name;
            const char* value;
        } rows[] = {{ts::tip::kPagingDrive, "PagingDrive:", "C:"},
                    {ts::tip::kPagingFile, "PagingFile:", "C:\\WIN386.SWP"}};
        for (const auto& row : rows) {
            SCOPED_TRACE(testing::Message() << row.name << " language " << language);
            const Host::AccessibleWindow field(tip.Child(row.field));
            EXPECT_EQ(Name(field.Object()), row.name);
            // Everything else is the standard object's: the text is the field's value.
            BSTR value = nullptr;
            EXPECT_EQ(field.Object()->get_accValue(Id(CHILDID_SELF), &value), S_OK);
            EXPECT_EQ(Host::AnsiText(value), row.value);
            ::SysFreeString(value);
            // Among the client area's children the label and its field bear the name.
            long count = 0, named = 0;
            ASSERT_EQ(form.Object()->get_accChildCount(&count), S_OK);
            for (long child = 1; child <= count; ++child) named += Name(form.Object(), child) == row.name;
            EXPECT_EQ(named, 2);
        }
        EXPECT_EQ(tip.Api().Free(), 1);
    }
}

// OK and Undo pressed through the interface run what a click runs: the same file, the
// same notices, questions and state.
TEST_F(AccessibilityTest, PressingDoesWhatAClickDoes)
{
    struct Outcome {
        std::optional<std::string> ini;
        Messages received;
        std::vector<std::string> boxes;
        int changed, nr;
        std::string drive, file;
        bool operator==(const Outcome&) const = default;
    };
    const std::string before = "[386Enh]\r\nPagingDrive=C:\r\nPagingFile=C:\\WIN386.SWP\r\n";
    // Undo's defaults stay restored for the module's life: OK goes first.
    for (const ts::TipControl* button : {&ts::tip::kOK, &ts::tip::kUndo}) {
        for (int language : {0, 1}) {
            Outcome outcomes[2];
            for (bool pressed : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << button->name << " language " << language << (pressed ? " pressed" : " clicked"));
                ts::SystemIni::Write(before);
                Open(language);
                boxes.SetAnswer(IDNO);
                boxes.Clear();
                HWND drive = tip.Child(ts::tip::kPagingDrive), file = tip.Child(ts::tip::kPagingFile);
                ::SendMessageA(drive, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("D:"));
                const bool ok = button == &ts::tip::kOK;
                const auto done = [&] { return ok ? Asked() : tip.Api().Nr() == 1; };
                if (pressed) Press(NameIn(kElements[ok ? 0 : 1], language), done);
                else ts::Click(window, *button);
                EXPECT_TRUE(done());
                outcomes[pressed] = {ts::SystemIni::Read(), party.Received(), boxes.Texts(),
                                     tip.Api().Changed(),   tip.Api().Nr(),   ts::WindowText(drive),
                                     ts::WindowText(file)};
                EXPECT_EQ(tip.Api().Free(), 1);
            }
            EXPECT_TRUE(outcomes[0] == outcomes[1]);
            const Outcome& o = outcomes[1];
            if (button == &ts::tip::kOK) {
                EXPECT_EQ(o.ini, "[386Enh]\r\nPagingDrive=D:\r\nPagingFile=C:\\WIN386.SWP\r\n");
                EXPECT_EQ(o.received, (Messages{{9999, 2}}));
                EXPECT_EQ(o.changed, 2);
            } else {
                EXPECT_EQ(o.drive + o.file, "");
                EXPECT_EQ(o.nr, 1);
                EXPECT_EQ(o.ini, before);
            }
        }
    }
}

// On a system the tip is not valid for, OK and Undo are disabled: the request is refused
// and nothing runs.
TEST_F(AccessibilityTest, ADisabledButtonDoesNothing)
{
    ts::SystemIni::Write("[386Enh]\r\nPagingDrive=C:\r\n");
    for (int language : {0, 1}) {
        Open(language, 0);
        const Host::AccessibleWindow client(window);
        const std::vector<Element> elements = client.Elements();
        for (const Described* d : {&kElements[0], &kElements[1]}) {
            const Element* e = Host::AccessibleWindow::Find(elements, ROLE_SYSTEM_PUSHBUTTON, NameIn(*d, language));
            ASSERT_NE(e, nullptr);
            EXPECT_EQ(client.Press(e->id), DISP_E_MEMBERNOTFOUND);
        }
        ASSERT_TRUE(ts::PumpPosted()); // nothing queued before it acts
        EXPECT_TRUE(party.Received().empty());
        EXPECT_TRUE(boxes.Texts().empty());
        EXPECT_EQ(tip.Api().Nr(), 2);
        EXPECT_EQ(ts::SystemIni::Read(), "[386Enh]\r\nPagingDrive=C:\r\n");
        EXPECT_EQ(tip.Api().Free(), 1);
    }
}

// A client may keep the object after the window is gone: every call then fails, and the
// last Release frees it (heap-checked).
TEST_F(AccessibilityTest, AnObjectKeptPastModulFreeFailsSafely)
{
    Open();
    const Host::AccessibleWindow client(window);
    IAccessible* object = client.Object();
    const Element first = client.Elements().front();
    EXPECT_EQ(tip.Api().Free(), 1);
    ts::PumpMessages();

    const VARIANT self = Id(CHILDID_SELF), element = Id(first.id);
    BSTR text = nullptr;
    VARIANT v{};
    IDispatch* dispatch = nullptr;
    long n = 0, l = 0, t = 0, w = 0, h = 0;
    const std::function<HRESULT()> calls[] = {
        [&] { return object->get_accChildCount(&n); },
        [&] { return object->get_accParent(&dispatch); },
        [&] { return object->get_accName(self, &text); },
        [&] { return object->get_accName(element, &text); },
        [&] { return object->get_accState(element, &v); },
        [&] { return object->accLocation(&l, &t, &w, &h, element); },
        [&] { return object->accNavigate(NAVDIR_FIRSTCHILD, self, &v); },
        [&] { return object->accHitTest(first.place.left + 1, first.place.top + 1, &v); },
        [&] { return object->accDoDefaultAction(element); },
    };
    for (const auto& call : calls) EXPECT_EQ(call(), RPC_E_DISCONNECTED);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(dispatch, nullptr);
}

struct LoadedLibraries {
    void* load = nullptr; // LoadLibraryA
    std::vector<std::string> names;
} g_libraries;

HMODULE WINAPI RecordLoad(const char* name)
{
    g_libraries.names.emplace_back(name);
    return reinterpret_cast<HMODULE(WINAPI*)(const char*)>(g_libraries.load)(name);
}

// The libraries the module loads when a client first asks, by their full paths in the
// system folder: by bare names, libraries of theirs planted in the host's folder or the
// current directory came first. (HostSession.LibrariesOfTheSearchOrderAreNotLoaded plants
// one, but there the host's own client loads oleacc before the module asks for it.)
TEST_F(AccessibilityTest, TheLibrariesComeFromTheSystemFolder)
{
    const Host::ImportPatch record(tip.Library(), "kernel32.dll", "LoadLibraryA", reinterpret_cast<void*>(&RecordLoad));
    g_libraries = {record.Original(), {}};
    Open();
    EXPECT_FALSE(Host::AccessibleWindow(window).Elements().empty());
    char folder[MAX_PATH] = {};
    ::GetSystemDirectoryA(folder, MAX_PATH);
    const std::string system(folder);
    EXPECT_EQ(g_libraries.names, (std::vector<std::string>{system + "\\oleacc.dll", system + "\\oleaut32.dll"}));
}

} // namespace
