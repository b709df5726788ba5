// How windows reach their toolkit objects on every Windows from 95 on: the binding kept in
// the windows' own storage, the hints the tooltip shows from relayed mouse messages, and
// the pointer-leave notice with and without TrackMouseEvent.
#include "host/script/ImportPatch.h"
#include "tests/support/Pump.h"
#include "tests/support/TipModule.h"
#include "toolkit/forms/Form.h"
#include "toolkit/widgets/Edit.h"
#include "toolkit/widgets/SpeedButton.h"
#include "toolkit/window/MouseLeave.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

class LeaveCountingButton : public tk::TSpeedButton {
public:
    using TSpeedButton::TSpeedButton;
    int leaves = 0;

protected:
    void CMMouseLeave(tk::TMessage& m) override
    {
        ++leaves;
        TSpeedButton::CMMouseLeave(m);
    }
};

class Binding : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<tk::TForm>(nullptr);
        form->SetBounds(40, 40, 300, 200);
        ts::ParkPointer();
        button = new LeaveCountingButton(form.get());
        button->SetParent(form.get());
        button->SetBounds(20, 20, 60, 30);
        edit = new tk::TEdit(form.get());
        edit->SetParent(form.get());
        edit->SetBounds(20, 80, 120, 24);
        form->Show();
        ts::PumpPaints(form->Handle());
    }
    // Puts the real pointer on a client point of the form and tells the window so.
    void PointAt(HWND window, int x, int y)
    {
        POINT pt{x, y};
        ::ClientToScreen(window, &pt);
        ::SetCursorPos(pt.x, pt.y);
        ::SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }

    std::unique_ptr<tk::TForm> form;
    LeaveCountingButton* button = nullptr;
    tk::TEdit* edit = nullptr;
};

LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return ::DefWindowProcA(hwnd, msg, wp, lp); }

TEST_F(Binding, FromHandleFindsOnlyTheToolkitsOwnWindows)
{
    EXPECT_EQ(tk::TWinControl::FromHandle(form->Handle()), form.get());
    EXPECT_EQ(tk::TWinControl::FromHandle(edit->Handle()), edit);
    EXPECT_EQ(tk::TWinControl::FromHandle(nullptr), nullptr);
    // A foreign window whose storage happens to hold the same kind of value is not ours.
    WNDCLASSA wc{};
    wc.lpfnWndProc = PlainProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "BindingForeign";
    ::RegisterClassA(&wc);
    HWND foreign =
        ::CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrA(foreign, 0, reinterpret_cast<LONG_PTR>(form.get()));
    ::SetWindowLongPtrA(foreign, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form.get()));
    EXPECT_EQ(tk::TWinControl::FromHandle(foreign), nullptr);
    ::DestroyWindow(foreign);
    ::UnregisterClassA(wc.lpszClassName, wc.hInstance);
}

// Another program's subclass on top of ours: the control's last messages pass through our
// procedure after the object let go of the window, and still reach the edit class.
WNDPROC g_outerPrevious = nullptr;
std::vector<UINT> g_outerSeen;
LRESULT CALLBACK OuterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    g_outerSeen.push_back(msg);
    return ::CallWindowProcA(g_outerPrevious, hwnd, msg, wp, lp);
}

TEST_F(Binding, ASubclassOnTopOfOursSeesTheControlsLastMessages)
{
    HWND hwnd = edit->Handle();
    g_outerSeen.clear();
    g_outerPrevious =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OuterProc)));
    ::SetWindowTextA(hwnd, "typed");
    EXPECT_EQ(edit->Text(), "typed");
    delete edit;
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_NE(std::find(g_outerSeen.begin(), g_outerSeen.end(), WM_NCDESTROY), g_outerSeen.end());
}

// The tooltip learns of the pointer from the relayed messages alone: it subclasses no
// window, so the form and its controls keep the procedures the toolkit gave them.
TEST_F(Binding, HintsShowFromRelayedMouseMessages)
{
    button->SetHint("Button hint");
    button->SetShowHint(true);
    edit->SetHint("Edit hint");
    edit->SetShowHint(true);
    HWND tooltip = ts::TooltipOf(form->Handle());
    ASSERT_NE(tooltip, nullptr);
    ::SendMessageA(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, 10);
    EXPECT_EQ(tk::TWinControl::FromHandle(form->Handle()), form.get());
    EXPECT_EQ(tk::TWinControl::FromHandle(edit->Handle()), edit);

    const struct {
        HWND window;
        int x, y;
        const char* hint;
    } spots[] = {{form->Handle(), 40, 35, "Button hint"}, {edit->Handle(), 10, 10, "Edit hint"}};
    for (const auto& spot : spots) {
        SCOPED_TRACE(spot.hint);
        PointAt(spot.window, spot.x, spot.y);
        ASSERT_TRUE(ts::PumpUntil([&] { return ::IsWindowVisible(tooltip) != FALSE; }));
        char text[64] = {};
        ::GetWindowTextA(tooltip, text, sizeof text);
        EXPECT_STREQ(text, spot.hint);
        ts::ParkPointer();
        ::SendMessageA(tooltip, TTM_POP, 0, 0);
    }
}

// GetProcAddress as the toolkit sees it, without the functions named in g_hidden.
std::set<std::string> g_hidden;
std::vector<std::string> g_asked;
void* g_realGetProcAddress = nullptr;
FARPROC WINAPI HidingGetProcAddress(HMODULE module, LPCSTR name)
{
    if (HIWORD(reinterpret_cast<ULONG_PTR>(name)) != 0) {
        g_asked.emplace_back(name);
        if (g_hidden.count(name)) return nullptr;
    }
    using Fn = FARPROC(WINAPI*)(HMODULE, LPCSTR);
    return reinterpret_cast<Fn>(g_realGetProcAddress)(module, name);
}

TEST_F(Binding, PointerLeaveArrivesWithOrWithoutTrackMouseEvent)
{
    const struct {
        const char* system;
        std::set<std::string> hidden;
        std::vector<std::string> asked;
    } rows[] = {
        {"98, NT 4.0 and later", {}, {"TrackMouseEvent"}},
        {"95 with common controls 4.70", {"TrackMouseEvent"}, {"TrackMouseEvent", "_TrackMouseEvent"}},
        {"bare 95: the pointer is polled",
         {"TrackMouseEvent", "_TrackMouseEvent"},
         {"TrackMouseEvent", "_TrackMouseEvent"}},
    };
    Host::ImportPatch patch(::GetModuleHandleA(nullptr), "kernel32.dll", "GetProcAddress",
                            reinterpret_cast<void*>(HidingGetProcAddress));
    g_realGetProcAddress = patch.Original();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.system);
        g_hidden = row.hidden;
        g_asked.clear();
        const int leaves = button->leaves;
        PointAt(form->Handle(), 30, 30);
        EXPECT_TRUE(button->MouseInControl());
        ts::ParkPointer();
        EXPECT_TRUE(ts::PumpUntil([&] { return button->leaves == leaves + 1; }));
        EXPECT_EQ(g_asked, row.asked);
        // One notice per crossing, no more: nothing posted after it is another one, and a
        // polling timer stopped with its notice.
        EXPECT_TRUE(ts::PumpPosted());
        EXPECT_FALSE(::KillTimer(form->Handle(), tk::kLeavePollTimer));
        EXPECT_EQ(button->leaves, leaves + 1);
    }
    g_hidden.clear();
}

} // namespace
