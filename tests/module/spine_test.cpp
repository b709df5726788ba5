// The five exports of the real Tipp211.dll and their edge cases: the window each call
// leaves, before ModulCreate, after ModulFree and when creation fails halfway.
#include "contract/HostMessage.h"
#include "host/script/ImportPatch.h"
#include "tests/support/Pump.h"
#include "tests/support/TipModule.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// Stands in for the module's CreateWindowExA: calls from number `failFrom` on fail as
// Windows fails them, with a null handle; earlier ones create their window as usual.
struct CreateWindowFault {
    static inline void* original = nullptr;
    static inline int calls = 0;
    static inline int failFrom = 1;
    static inline std::vector<HWND> created;

    static HWND WINAPI Fake(DWORD exStyle, LPCSTR cls, LPCSTR name, DWORD style, int x, int y, int w, int h,
                            HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
    {
        if (++calls >= failFrom) {
            ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        using Fn = HWND(WINAPI*)(DWORD, LPCSTR, LPCSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE, LPVOID);
        HWND hwnd =
            reinterpret_cast<Fn>(original)(exStyle, cls, name, style, x, y, w, h, parent, menu, instance, param);
        created.push_back(hwnd);
        return hwnd;
    }
};

// Counts the module's DestroyWindow calls and passes them on.
struct DestroyWindowCount {
    static inline void* original = nullptr;
    static inline int calls = 0;
    static BOOL WINAPI Fake(HWND hwnd)
    {
        ++calls;
        return reinterpret_cast<BOOL(WINAPI*)(HWND)>(original)(hwnd);
    }
};

// The tip window that ModulCreate made, with its child windows, to see them all go.
struct CreatedWindow {
    explicit CreatedWindow(ts::TipModule& module)
    {
        EXPECT_EQ(module.Create(), 0);
        window = module.Window();
        children = ts::Children(window);
    }
    void ExpectGone() const
    {
        EXPECT_FALSE(::IsWindow(window));
        for (HWND child : children) EXPECT_FALSE(::IsWindow(child));
    }

    HWND window = nullptr;
    std::vector<HWND> children;
};

} // namespace

TEST(ModuleExports, ReportStateBeforeCreate)
{
    ts::TipModule module;
    EXPECT_EQ(module.Api().Changed(), 0);
    EXPECT_EQ(module.Api().Nr(), 2);
}

TEST(ModuleExports, CreateShowsTheWindowWhereTheHostSays)
{
    ts::TipModule module;
    ts::CreateArgs args;
    args.left = 120;
    args.top = 40;
    args.caption = "Host caption";
    EXPECT_EQ(module.Create(args), 0);
    HWND window = module.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(ts::WindowText(window), "Host caption");
    RECT r, client;
    ::GetWindowRect(window, &r);
    ::GetClientRect(window, &client);
    EXPECT_EQ(r.left, 120);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, args.width);
    EXPECT_EQ(r.bottom - r.top, args.height);
    EXPECT_EQ(client.right, ts::TipControl::kClient.cx);
    EXPECT_EQ(client.bottom, ts::TipControl::kClient.cy);
    EXPECT_EQ(module.Api().Free(), 1);
    EXPECT_EQ(module.Window(), nullptr);
}

namespace {

// Runs ModulCreate with the module's CreateWindowExA failing from call `failFrom` on;
// returns the number of calls made.
int CreateWithFault(ts::TipModule& module, int failFrom)
{
    CreateWindowFault::calls = 0;
    CreateWindowFault::failFrom = failFrom;
    CreateWindowFault::created.clear();
    Host::ImportPatch patch(module.Library(), "user32.dll", "CreateWindowExA",
                            reinterpret_cast<void*>(&CreateWindowFault::Fake));
    CreateWindowFault::original = patch.Original();
    EXPECT_EQ(module.Create(), 0);
    return CreateWindowFault::calls;
}

} // namespace

// A failed creation, of the window itself or of any window inside it, leaves no window
// behind and is reported to nobody.
TEST(ModuleExports, FailedCreateReturnsZeroAndLeavesNoWindow)
{
    int windowsOfACreation = 0;
    {
        ts::TipModule module;
        windowsOfACreation = CreateWithFault(module, INT_MAX);
        ASSERT_NE(module.Window(), nullptr);
        ASSERT_EQ(module.Api().Free(), 1);
    }
    ASSERT_GE(windowsOfACreation, 3);

    const struct {
        const char* what;
        int failFrom;
    } rows[] = {
        {"the tip window", 1},
        {"a window halfway", windowsOfACreation / 2},
        {"the last window", windowsOfACreation},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ts::TipModule module;
        EXPECT_EQ(CreateWithFault(module, row.failFrom), row.failFrom) << "creation went on after the failure";
        EXPECT_TRUE(module.Windows().empty());
        for (HWND hwnd : CreateWindowFault::created)
            EXPECT_FALSE(::IsWindow(hwnd)) << "a window of the failed creation lives on";
        EXPECT_EQ(module.Api().Free(), 1);
        ModuleApi::Failure failure;
        EXPECT_EQ(module.Api().SaveChanges(failure), 0);
        EXPECT_FALSE(failure.raised) << failure.text;
        ts::PumpMessages();
    }
}

TEST(ModuleExports, FreeDestroysTheWindowAndASecondFreeTouchesNothing)
{
    ts::TipModule module;
    const CreatedWindow created(module);
    ASSERT_FALSE(created.children.empty());

    EXPECT_EQ(module.Api().Free(), 1);
    created.ExpectGone();
    EXPECT_TRUE(module.Windows().empty());

    Host::ImportPatch patch(module.Library(), "user32.dll", "DestroyWindow",
                            reinterpret_cast<void*>(&DestroyWindowCount::Fake));
    DestroyWindowCount::original = patch.Original();
    DestroyWindowCount::calls = 0;
    EXPECT_EQ(module.Api().Free(), 1);
    EXPECT_EQ(DestroyWindowCount::calls, 0);
    ts::PumpMessages();
}

TEST(ModuleExports, SaveChangesWithoutAWindowSavesNothingAndRaisesNothing)
{
    ts::TipModule module;
    ModuleApi::Failure failure;
    EXPECT_EQ(module.Api().SaveChanges(failure), 0) << "before ModulCreate";
    EXPECT_FALSE(failure.raised) << failure.text;

    ASSERT_EQ(module.Create(), 0);
    ASSERT_EQ(module.Api().Free(), 1);
    EXPECT_EQ(module.Api().SaveChanges(failure), 0) << "after ModulFree";
    EXPECT_FALSE(failure.raised) << failure.text;
    EXPECT_EQ(module.Api().Changed(), 0);
}

TEST(ModuleExports, SecondCreateReplacesTheFirstWindow)
{
    ts::TipModule module;
    ASSERT_EQ(module.Create(), 0);
    HWND first = module.Window();
    ASSERT_NE(first, nullptr);

    ts::CreateArgs args;
    args.caption = "Second";
    EXPECT_EQ(module.Create(args), 0);
    EXPECT_FALSE(::IsWindow(first));
    ASSERT_EQ(module.Windows().size(), 1u);
    HWND second = module.Window();
    EXPECT_TRUE(::IsWindowVisible(second));
    EXPECT_EQ(ts::WindowText(second), "Second");

    EXPECT_EQ(module.Api().Free(), 1);
    EXPECT_FALSE(::IsWindow(second));
    EXPECT_TRUE(module.Windows().empty());
}

// Unloading the library while its window exists takes the window along, so no window is
// left whose window procedure lies in unmapped code.
TEST(ModuleExports, UnloadingTheLibraryDestroysTheWindow)
{
    ts::TipModule module;
    const CreatedWindow created(module);
    ASSERT_FALSE(created.children.empty());

    module.Unload();
    created.ExpectGone();

    // Whatever still reaches the old handles, or every top-level window, finds no code of
    // the unloaded module: a window procedure left behind would crash this program here.
    const UINT hostMessage = ::RegisterWindowMessageA(HostMessage::kName);
    ::SendMessageA(HWND_BROADCAST, hostMessage, 12, 400);
    ::SetLastError(0);
    ::SendMessageA(created.window, WM_PAINT, 0, 0);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE))
        << "a sent message reaches the old handle";
    EXPECT_FALSE(::PostMessageA(created.window, WM_CLOSE, 0, 0)) << "the old handle still takes messages";
    ts::PumpMessages();
    EXPECT_EQ(::GetModuleHandleA("Tipp211.dll"), nullptr);
}

TEST(ModuleExports, NullCaptionAndHintGiveAnEmptyCaption)
{
    ts::TipModule module;
    ts::CreateArgs args;
    args.caption = nullptr;
    args.hint = nullptr;
    EXPECT_EQ(module.Create(args), 0);
    HWND window = module.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ts::WindowText(window), "");
    HWND title = module.Child(ts::tip::kTitle);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(ts::WindowText(title), "");
    ts::PumpMessages();
    EXPECT_EQ(module.Api().Free(), 1);
}

TEST(ModuleExports, TitleLineShowsTheHostCaption)
{
    const struct {
        int language;
        const char* caption;
    } rows[] = {
        {0, "Auslagerungsdatei verlegen/umbenennen"},
        {0, "Gr\xF6\xDF"
            "e \xE4ndern"},
        {1, "Move or rename the paging file"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caption);
        ts::TipModule module;
        ts::CreateArgs args;
        args.language = row.language;
        args.caption = row.caption;
        ASSERT_EQ(module.Create(args), 0);
        ASSERT_NE(module.Window(), nullptr);
        HWND title = module.Child(ts::tip::kTitle);
        ASSERT_NE(title, nullptr);
        EXPECT_TRUE(::IsWindowVisible(title));
        EXPECT_EQ(ts::WindowText(title), row.caption);
        EXPECT_EQ(ts::WindowText(module.Window()), row.caption);
        EXPECT_EQ(module.Api().Free(), 1);
    }
}
