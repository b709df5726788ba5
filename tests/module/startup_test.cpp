// Start-up of the real tip window: the stored preference and the operating-system check
// that may disable it, the screen resolution, the title line and the help texts.
#include "tests/support/MessageParty.h"
#include "tests/support/TipModule.h"
#include "host/ImportPatch.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/Pump.h"
#include "tests/support/WindowCapture.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr char kLayoutCaption[] = "Auslagerungsdatei verlegen/umbenennen";
constexpr char kHostCaption[] = "Paging file, host's own caption";

// ---------------------------------------------------------------------------------------
// Registry values, saved and put back byte for byte

struct RawValue {
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> data;
    bool operator==(const RawValue&) const = default;
};

bool KeyExists(const char* path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

std::map<std::string, RawValue> ReadValues(const char* path)
{
    std::map<std::string, RawValue> values;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameLength = sizeof name, type = 0, size = 0;
        if (::RegEnumValueA(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        RawValue& v = values[name];
        v.present = true;
        v.type = type;
        v.data.resize(size);
        ::RegQueryValueExA(key, name, nullptr, nullptr, v.data.data(), &size);
    }
    ::RegCloseKey(key);
    return values;
}

RawValue ReadValue(const char* path, const char* name)
{
    const auto values = ReadValues(path);
    const auto it = values.find(name);
    return it == values.end() ? RawValue{} : it->second;
}

// Writes `value` under `path` (creating the key), or deletes it when it is not present.
void WriteValue(const char* path, const char* name, const RawValue& value)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot open HKCU\\") + path);
    if (value.present)
        ::RegSetValueExA(key, name, 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
    else
        ::RegDeleteValueA(key, name);
    ::RegCloseKey(key);
}

RawValue Dword(DWORD number)
{
    const auto* bytes = reinterpret_cast<const BYTE*>(&number);
    return {true, REG_DWORD, std::vector<BYTE>(bytes, bytes + sizeof number)};
}

RawValue Binary(std::vector<BYTE> bytes)
{
    return {true, REG_BINARY, std::move(bytes)};
}

// The settings key as the module sees it when it can neither open nor create it.
LONG WINAPI RefuseCreateKey(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD)
{
    return ERROR_ACCESS_DENIED;
}

RawValue String(const char* text)
{
    return {true, REG_SZ, std::vector<BYTE>(text, text + std::strlen(text) + 1)};
}

// ---------------------------------------------------------------------------------------
// The preference key, as it was before the test

constexpr char kVendorKey[] = "SOFTWARE\\Kelvamo";
constexpr char kSettingsKey[] = "SOFTWARE\\Kelvamo\\Sorvanti";
constexpr char kBSControl[] = "BSControl";

class PreferenceTest : public testing::Test {
protected:
    void SetUp() override
    {
        vendorExisted = KeyExists(kVendorKey);
        keyExisted = KeyExists(kSettingsKey);
        saved = ReadValues(kSettingsKey);
    }

    void TearDown() override
    {
        if (!keyExisted) {
            ::RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
            if (!vendorExisted) ::RegDeleteKeyA(HKEY_CURRENT_USER, kVendorKey);
            return;
        }
        for (const auto& [name, value] : ReadValues(kSettingsKey))
            if (!saved.count(name)) WriteValue(kSettingsKey, name.c_str(), RawValue{});
        for (const auto& [name, value] : saved) WriteValue(kSettingsKey, name.c_str(), value);
    }

    bool vendorExisted = false;
    bool keyExisted = false;
    std::map<std::string, RawValue> saved;
};

// ---------------------------------------------------------------------------------------
// What the window looks like at the end of its creation handler

// Taken when ModulCreate gives the window the host's caption: creation has run to its end,
// and the host's position and size are not applied yet.
struct CreationSnapshot {
    bool taken = false;
    std::string title;
    SIZE client{};
};

struct SnapshotHook {
    static inline CreationSnapshot* target = nullptr;
    static inline void* original = nullptr;

    static BOOL WINAPI Fake(HWND hwnd, LPCSTR text)
    {
        if (target && !target->taken && text && std::strcmp(text, kHostCaption) == 0 && !::GetParent(hwnd)) {
            target->taken = true;
            target->title = ts::WindowText(::FindWindowExA(hwnd, nullptr, "Static", nullptr));
            RECT r{};
            ::GetClientRect(hwnd, &r);
            target->client = {r.right, r.bottom};
        }
        return reinterpret_cast<BOOL(WINAPI*)(HWND, LPCSTR)>(original)(hwnd, text);
    }
};

class SnapshotAtHostCaption {
public:
    explicit SnapshotAtHostCaption(const ts::TipModule& module)
        : m_patch(module.Library(), "user32.dll", "SetWindowTextA", reinterpret_cast<void*>(&SnapshotHook::Fake))
    {
        SnapshotHook::original = m_patch.Original();
        SnapshotHook::target = &m_snapshot;
    }
    ~SnapshotAtHostCaption() { SnapshotHook::target = nullptr; }
    const CreationSnapshot& Get() const { return m_snapshot; }

private:
    CreationSnapshot m_snapshot;
    Host::ImportPatch m_patch;
};

// Notes for each message box of the module whether the tip window was visible then. Put
// over a MessageBoxRecorder of the module, which still records and answers the box.
struct VisibilityAtBoxes {
    static inline HMODULE library = nullptr;
    static inline void* original = nullptr;
    static inline std::vector<bool> visible;

    static BOOL CALLBACK NoteVisible(HWND hwnd, LPARAM lp)
    {
        if (reinterpret_cast<HMODULE>(::GetWindowLongPtrA(hwnd, GWLP_HINSTANCE)) == library && ::IsWindowVisible(hwnd))
            *reinterpret_cast<bool*>(lp) = true;
        return TRUE;
    }

    static int WINAPI Fake(HWND owner, LPCSTR text, LPCSTR caption, UINT flags)
    {
        bool any = false;
        ::EnumThreadWindows(::GetCurrentThreadId(), NoteVisible, reinterpret_cast<LPARAM>(&any));
        visible.push_back(any);
        return reinterpret_cast<int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT)>(original)(owner, text, caption, flags);
    }
};

// ---------------------------------------------------------------------------------------
// Reading the window

int Scaled(int value, int dpi)
{
    return ::MulDiv(value, 96, dpi);
}

int ScreenDpi()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

int FontHeight(HWND control)
{
    LOGFONTA lf{};
    auto font = reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0));
    if (!font || !::GetObjectA(font, sizeof lf, &lf)) return 0;
    return lf.lfHeight;
}

std::string Describe(HWND child)
{
    char cls[64] = {};
    ::GetClassNameA(child, cls, sizeof cls);
    const RECT r = ts::ChildRect(child);
    char text[160];
    std::snprintf(text, sizeof text, "%s %ld,%ld %ldx%ld", cls, r.left, r.top, r.right - r.left, r.bottom - r.top);
    return text;
}

std::string Describe(const char* cls, int left, int top, int width, int height)
{
    char text[160];
    std::snprintf(text, sizeof text, "%s %d,%d %dx%d", cls, left, top, width, height);
    return text;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    return children;
}

using HelpTextFn = const char*(__stdcall*)(int, int);

// The help text as SorvHelp.dll itself gives it; the tip module has loaded the library.
std::string LibraryHelpText(int tippNr, int kind)
{
    HMODULE library = ::GetModuleHandleA("SorvHelp.dll");
    if (!library) return "<SorvHelp.dll not loaded>";
    auto fn = reinterpret_cast<HelpTextFn>(reinterpret_cast<void*>(::GetProcAddress(library, "GetHelpText")));
    const char* text = fn ? fn(tippNr, kind) : nullptr;
    return text ? text : "";
}

// The two memos lie on one place; each is known by the help text it holds.
struct Memos {
    HWND german = nullptr;
    HWND english = nullptr;
};

Memos FindMemos(const ts::TipModule& module, int tippNr = 211)
{
    Memos memos;
    for (HWND child : Children(module.Window())) {
        const RECT r = ts::ChildRect(child);
        if (r.left != 16 || r.top != 32) continue;
        const std::string text = ts::WindowText(child);
        if (text == LibraryHelpText(tippNr, 2)) memos.german = child;
        if (text == LibraryHelpText(tippNr, 4)) memos.english = child;
    }
    return memos;
}

bool HasColour(const ts::Image& image, RECT area)
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = image.Pixel(x, y);
            const int hi = std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
            const int lo = std::min({GetRValue(c), GetGValue(c), GetBValue(c)});
            if (hi - lo > 40) return true;
        }
    return false;
}

// Text in the window's text colour (black) rather than in the grey of disabled text.
bool HasBlackInk(const ts::Image& image, RECT area)
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = image.Pixel(x, y);
            if (std::max({GetRValue(c), GetGValue(c), GetBValue(c)}) < 0x40) return true;
        }
    return false;
}

bool HasInk(const ts::Image& image, RECT area)
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (image.Pixel(x, y) != RGB(255, 255, 255)) return true;
    return false;
}

// The enabled state of every control of the paging-file tip. Windowless buttons count as
// enabled when their image is drawn in colour, windowless labels when their text is black.
std::map<std::string, bool> EnabledStates(const ts::TipModule& module)
{
    std::map<std::string, bool> states;
    auto windowed = [&](const char* name, HWND hwnd) {
        if (hwnd) states[name] = ::IsWindowEnabled(hwnd) != FALSE;
    };
    const Memos memos = FindMemos(module);
    windowed("StaticTextTitle", module.Child("Static", 16, 8));
    windowed("MemoHelpD", memos.german);
    windowed("MemoHelpUS", memos.english);
    windowed("PanelLeftBorder", module.Child("TkWindow", 0, 5));
    windowed("PanelTopBorder", module.Child("TkWindow", 0, 0));
    windowed("PanelBottomBorder", module.Child("TkWindow", 0, 421));
    windowed("PanelRightBorder", module.Child("TkWindow", 287, 5));
    windowed("T228_Edit_PagingDrive", module.Child("Edit", 93, 154));
    windowed("T228_Edit_PagingFile", module.Child("Edit", 93, 184));

    ts::PumpMessages();
    const ts::Image image = ts::Image::Capture(module.Window(), true);
    states["HotSpeedButtonOK"] = HasColour(image, {16, 381, 52, 417});
    states["HotSpeedButtonUndo"] = HasColour(image, {56, 381, 92, 417});
    states["HotSpeedButtonInfo"] = HasColour(image, {200, 381, 236, 417});
    states["HotSpeedButtonRegistry"] = HasColour(image, {240, 381, 276, 417});
    states["T228_Label_PagingDrive"] = HasBlackInk(image, {18, 154, 79, 167});
    states["T228_Label_PagingFile"] = HasBlackInk(image, {18, 184, 70, 197});
    // A control that drew nothing at all says nothing about its state.
    EXPECT_TRUE(HasInk(image, {16, 381, 52, 417}) && HasInk(image, {18, 154, 79, 167}));
    return states;
}

std::map<std::string, bool> ExpectedStates(bool disabled)
{
    std::map<std::string, bool> states;
    for (const char* name : {"StaticTextTitle", "MemoHelpD", "MemoHelpUS", "HotSpeedButtonInfo",
                             "HotSpeedButtonRegistry"})
        states[name] = true;
    for (const char* name : {"HotSpeedButtonOK", "HotSpeedButtonUndo", "PanelLeftBorder", "PanelTopBorder",
                             "PanelBottomBorder", "PanelRightBorder", "T228_Label_PagingDrive",
                             "T228_Label_PagingFile", "T228_Edit_PagingDrive", "T228_Edit_PagingFile"})
        states[name] = !disabled;
    return states;
}

std::vector<RECT> ToolAreas(HWND tooltip)
{
    std::vector<RECT> areas;
    for (const ts::Tool& tool : ts::ToolsOf(tooltip)) areas.push_back(tool.rect);
    return areas;
}


} // namespace

// ---------------------------------------------------------------------------------------
// Preference and operating-system check

TEST_F(PreferenceTest, PreferenceAndSystemDecideWhetherTheWindowIsDisabled)
{
    enum class Stored { NoKey, NoValue, Value, Unopenable };
    struct Row {
        int osType;
        int osMask;
        Stored stored;
        RawValue value;
        bool supported;
    };
    const int all = -1; // every bit of OSMask set
    const Row rows[] = {
        {10, 0x200, Stored::NoKey, {}, true},
        {10, 0x400, Stored::NoKey, {}, false},
        {10, 0x400, Stored::NoValue, {}, false},
        {10, 0x400, Stored::Value, Dword(0), true},
        {10, 0x400, Stored::Value, Dword(1), false},
        {10, 0x400, Stored::Value, Dword(5), false},
        {10, 0x400, Stored::Value, String("0"), false}, // unreadable: counts as missing
        {10, 0x400, Stored::Value, Binary({0, 0, 0, 0}), false},
        {10, 0x400, Stored::Value, Dword(0xFFFFFFFF), false},
        {10, 0x400, Stored::Unopenable, {}, false},
        {10, 0x200, Stored::Unopenable, {}, true},
        {10, 0x200, Stored::Value, Dword(0), true},
        {0, all, Stored::NoValue, {}, false},
        {19, all, Stored::Value, Dword(1), false},
        {-1, all, Stored::NoKey, {}, false},
        {0, all, Stored::Value, Dword(0), true},
        {19, all, Stored::Value, Dword(0), true},
        {-1, all, Stored::Value, Dword(0), true},
        {18, 0x20000, Stored::NoValue, {}, true},
        {18, 0x1FFFF, Stored::NoValue, {}, false},
    };

    for (const Row& row : rows) {
        std::string stored = row.stored == Stored::NoKey ? "no key" : row.stored == Stored::NoValue ? "no value" : "unopenable";
        if (row.value.type == REG_DWORD) stored = "REG_DWORD " + std::to_string(*reinterpret_cast<const DWORD*>(row.value.data.data()));
        if (row.value.type == REG_BINARY) stored = "REG_BINARY";
        if (row.value.type == REG_SZ) stored = "REG_SZ \"" + std::string(row.value.data.begin(), row.value.data.end() - 1) + "\"";
        SCOPED_TRACE(testing::Message() << "OSType " << row.osType << ", OSMask 0x" << std::hex << row.osMask
                                        << std::dec << ", BSControl " << stored);
        switch (row.stored) {
        case Stored::NoKey:
        case Stored::Unopenable: ::RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey); break;
        case Stored::NoValue: WriteValue(kSettingsKey, kBSControl, RawValue{}); break;
        case Stored::Value: WriteValue(kSettingsKey, kBSControl, row.value); break;
        }
        const bool unopenable = row.stored == Stored::Unopenable;
        ASSERT_EQ(KeyExists(kSettingsKey), row.stored != Stored::NoKey && !unopenable);

        ts::TipModule module;
        std::optional<Host::ImportPatch> refuse;
        if (unopenable) refuse.emplace(module.Library(), "advapi32.dll", "RegCreateKeyExA", reinterpret_cast<void*>(&RefuseCreateKey));
        ts::MessageBoxRecorder boxes(module.Library());
        boxes.SetAnswer(IDNO); // never agree to a restart
        SnapshotAtHostCaption snapshot(module);
        ts::MessageParty party;
        ts::CreateArgs args;
        args.osType = row.osType;
        args.osMask = row.osMask;
        args.caption = kHostCaption;
        ASSERT_EQ(module.Create(args), 0);
        HWND window = module.Window();
        ASSERT_NE(window, nullptr);

        // Start-up ran to its end without a report, and the key exists from now on.
        EXPECT_EQ(KeyExists(kSettingsKey), !unopenable);
        EXPECT_EQ(ReadValue(kSettingsKey, kBSControl), row.stored == Stored::Value ? row.value : RawValue{});
        EXPECT_TRUE(boxes.Texts().empty()) << boxes.Texts().front();
        EXPECT_TRUE(snapshot.Get().taken);
        EXPECT_EQ(snapshot.Get().title, kLayoutCaption);
        EXPECT_EQ(ts::WindowText(module.Child("Static", 16, 8)), kHostCaption);

        EXPECT_EQ(EnabledStates(module), ExpectedStates(!row.supported));

        // A disabled OK or Undo does not react to a click; the menu entry's shortcut
        // still works and broadcasts the window switch.
        party.Clear();
        if (!row.supported) ts::ClickButton(window, ts::CommandButton::OK);
        ts::ClickButton(window, ts::CommandButton::Undo);
        EXPECT_EQ(module.Api().Nr(), row.supported ? 1 : 2);
        ::SendMessageA(window, WM_KEYDOWN, VK_F12, 0);
        ::SendMessageA(window, WM_KEYUP, VK_F12, 0);
        ts::PumpMessages();
        EXPECT_EQ(party.Received(), (std::vector<ts::ReceivedMessage>{{200, 0}}));
        EXPECT_TRUE(boxes.Texts().empty());
        EXPECT_EQ(module.Api().Free(), 1);
    }
}

// ---------------------------------------------------------------------------------------
// Screen resolution

namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kLogPixels[] = "LogPixels";
constexpr char kChildVariable[] = "TIPP211_RESOLUTION_CHILD";
constexpr DWORD kChildPassed = 70;
constexpr DWORD kChildWrongResolution = 71;

// Ends the process with the exception's code, without a debugger.
LONG WINAPI EndWithoutDebugger(EXCEPTION_POINTERS*)
{
    return EXCEPTION_EXECUTE_HANDLER;
}

// Puts a value back as it was when the guard was made, whatever happened meanwhile.
class ValueGuard {
public:
    ValueGuard(const char* path, const char* name) : m_path(path), m_name(name), m_saved(ReadValue(path, name)) {}
    ~ValueGuard() { WriteValue(m_path, m_name, m_saved); }
    ValueGuard(const ValueGuard&) = delete;
    ValueGuard& operator=(const ValueGuard&) = delete;

private:
    const char* m_path;
    const char* m_name;
    RawValue m_saved;
};

// Wine takes the screen resolution from this value once, when a process starts (it wins
// over HKEY_CURRENT_CONFIG\Software\Fonts); processes started while the override lives
// run at `dpi`.
class ResolutionOverride {
public:
    explicit ResolutionOverride(DWORD dpi) { WriteValue(kDesktopKey, kLogPixels, Dword(dpi)); }

private:
    ValueGuard m_guard{kDesktopKey, kLogPixels};
};

// Runs this test program's resolution child in `mode` and returns its exit code.
DWORD RunChild(const char* mode)
{
    return ts::RunChildProcess("StartupResolutionChild.*", kChildVariable, mode);
}

// Creates the window at the screen's resolution `dpi` and checks that everything was
// scaled by 96/dpi, after one message "Big" before the window was shown, or, at 96, that
// nothing was shown or scaled.
void CheckStartupAt(int dpi)
{
    ts::TipModule module;
    ts::MessageBoxRecorder boxes(module.Library());
    VisibilityAtBoxes::library = module.Library();
    VisibilityAtBoxes::visible.clear();
    Host::ImportPatch boxWatch(module.Library(), "user32.dll", "MessageBoxA",
                             reinterpret_cast<void*>(&VisibilityAtBoxes::Fake));
    VisibilityAtBoxes::original = boxWatch.Original();
    SnapshotAtHostCaption snapshot(module);

    // The host sizes the window for the scaled client area, so that what creation left
    // stays in place.
    const SIZE client{Scaled(292, dpi), Scaled(426, dpi)};
    const SIZE outer = ts::TipWindowSize(client.cx, client.cy);
    ts::CreateArgs args;
    args.caption = kHostCaption;
    args.width = outer.cx;
    args.height = outer.cy;
    ASSERT_EQ(module.Create(args), 0);
    HWND window = module.Window();
    ASSERT_NE(window, nullptr);
    ts::PumpMessages();

    if (dpi == 96) {
        EXPECT_TRUE(boxes.Texts().empty());
    } else {
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Big"});
        EXPECT_EQ(VisibilityAtBoxes::visible, std::vector<bool>{false});
    }

    ASSERT_TRUE(snapshot.Get().taken);
    EXPECT_EQ(snapshot.Get().client.cx, client.cx);
    EXPECT_EQ(snapshot.Get().client.cy, client.cy);
    EXPECT_EQ(snapshot.Get().title, kLayoutCaption);
    RECT now{};
    ::GetClientRect(window, &now);
    EXPECT_EQ(now.right, client.cx);
    EXPECT_EQ(now.bottom, client.cy);

    // Every windowed control, with its place and size in the layout.
    struct Design {
        const char* cls;
        int left, top, width, height;
    };
    const Design windowed[] = {
        {"Static", 16, 8, 257, 33},    {"Edit", 16, 32, 259, 105},  {"Edit", 16, 32, 259, 105},
        {"Edit", 93, 154, 25, 19},     {"Edit", 93, 184, 180, 19},
    };
    std::vector<std::string> expected, actual;
    for (const Design& d : windowed)
        expected.push_back(
            Describe(d.cls, Scaled(d.left, dpi), Scaled(d.top, dpi), Scaled(d.width, dpi), Scaled(d.height, dpi)));
    // The four bevels are aligned to the edges: their scaled thickness, and the rest of
    // the client area between them.
    const int edge = Scaled(5, dpi);
    const int between = client.cy - 2 * edge;
    for (const std::string& bevel :
         {Describe("TkWindow", 0, 0, client.cx, edge), Describe("TkWindow", 0, client.cy - edge, client.cx, edge),
          Describe("TkWindow", 0, edge, edge, between), Describe("TkWindow", client.cx - edge, edge, edge, between)})
        expected.push_back(bevel);
    for (HWND child : Children(window)) actual.push_back(Describe(child));
    std::sort(expected.begin(), expected.end());
    std::sort(actual.begin(), actual.end());
    EXPECT_EQ(actual, expected);

    // Fonts: the title's own, and the window's, which memos and edits take.
    for (HWND child : Children(window)) {
        char cls[64] = {};
        ::GetClassNameA(child, cls, sizeof cls);
        const int design = std::strcmp(cls, "Static") == 0 ? -12 : std::strcmp(cls, "Edit") == 0 ? -11 : 0;
        if (design) {
            EXPECT_EQ(FontHeight(child), ::MulDiv(design, 96, dpi)) << Describe(child);
        }
    }

    // The windowless buttons: their hint areas are their bounds.
    std::vector<std::string> expectedTools, actualTools;
    for (int left : {16, 56, 200, 240})
        expectedTools.push_back(
            Describe("tool", Scaled(left, dpi), Scaled(381, dpi), Scaled(36, dpi), Scaled(36, dpi)));
    for (const RECT& r : ToolAreas(ts::TooltipOf(window)))
        actualTools.push_back(Describe("tool", r.left, r.top, r.right - r.left, r.bottom - r.top));
    std::sort(expectedTools.begin(), expectedTools.end());
    std::sort(actualTools.begin(), actualTools.end());
    EXPECT_EQ(actualTools, expectedTools);

    // The windowless labels draw their text in their own bounds only.
    const ts::Image image = ts::Image::Capture(window, true);
    for (const Design& label : {Design{"", 18, 154, 61, 13}, Design{"", 18, 184, 52, 13}}) {
        const RECT area{Scaled(label.left, dpi), Scaled(label.top, dpi), Scaled(label.left + label.width, dpi),
                        Scaled(label.top + label.height, dpi)};
        EXPECT_TRUE(HasBlackInk(image, area)) << Describe("label", area.left, area.top, area.right, area.bottom);
    }
    if (dpi != 96) {
        const RECT belowLabels{Scaled(18, dpi), Scaled(197, dpi), Scaled(93, dpi), 200};
        EXPECT_FALSE(HasInk(image, belowLabels));
    }
}

} // namespace

TEST(StartupResolution, At96NothingIsShownOrScaled)
{
    ASSERT_EQ(ScreenDpi(), 96) << "Wine's default resolution";
    CheckStartupAt(96);
}

TEST(StartupResolution, At72And120And144TheWindowScalesOnce)
{
    for (int dpi : {72, 120, 144}) {
        DWORD code;
        {
            ResolutionOverride at(dpi);
            code = RunChild(std::to_string(dpi).c_str());
        }
        EXPECT_EQ(code, kChildPassed) << dpi << " pixels per inch: the child's own output above says what failed";
    }
}

TEST(StartupResolution, ResolutionComesBackWhenTheChildCrashes)
{
    ValueGuard original(kDesktopKey, kLogPixels);
    for (const RawValue& before : {Dword(96), RawValue{}}) {
        WriteValue(kDesktopKey, kLogPixels, before);
        DWORD code;
        {
            ResolutionOverride at120(120);
            code = RunChild("crash");
        }
        EXPECT_EQ(code, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
        EXPECT_EQ(ReadValue(kDesktopKey, kLogPixels), before);
    }
}

// Runs only as the child of the tests above, in a process that Wine started at the
// resolution its mode names ("crash": at 120). Exits with kChildPassed when every check held.
TEST(StartupResolutionChild, AtTheResolutionOfItsMode)
{
    const char* mode = std::getenv(kChildVariable);
    if (!mode) GTEST_SKIP() << "runs as the child of StartupResolution only";
    const bool crash = std::strcmp(mode, "crash") == 0;
    const int dpi = crash ? 120 : std::atoi(mode);
    if (ScreenDpi() != dpi) ::ExitProcess(kChildWrongResolution);
    if (crash) {
        ts::TipModule module;
        ts::MessageBoxRecorder boxes(module.Library());
        module.Create();
        ::SetUnhandledExceptionFilter(EndWithoutDebugger);
        ::RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    }
    CheckStartupAt(dpi);
    std::fflush(stdout);
    ::ExitProcess(HasFailure() ? 1 : kChildPassed);
}

// ---------------------------------------------------------------------------------------
// Title line and help texts

TEST(StartupTexts, TitleShowsTheHostCaptionAndMemosTheLibrarysTexts)
{
    ts::TipModule module;
    ts::CreateArgs args;
    args.caption = kHostCaption;
    ASSERT_EQ(module.Create(args), 0);
    EXPECT_EQ(ts::WindowText(module.Child("Static", 16, 8)), kHostCaption);

    const std::string german = LibraryHelpText(211, 2), english = LibraryHelpText(211, 4);
    ASSERT_NE(german.find("\r\n"), std::string::npos);
    ASSERT_NE(english.find("\r\n"), std::string::npos);
    ASSERT_NE(german, english);
    const Memos memos = FindMemos(module);
    ASSERT_NE(memos.german, nullptr) << "no memo holds the German help text";
    ASSERT_NE(memos.english, nullptr) << "no memo holds the English help text";
    for (HWND memo : {memos.german, memos.english})
        EXPECT_GT(::SendMessageA(memo, EM_GETLINECOUNT, 0, 0), 1);
}

TEST(StartupTexts, UnknownTipLeavesBothMemosEmpty)
{
    ts::TipModule module;
    ts::CreateArgs args;
    args.tippNr = 999;
    ASSERT_EQ(module.Create(args), 0);
    ASSERT_NE(module.Window(), nullptr);
    ASSERT_EQ(LibraryHelpText(999, 2), "");
    int memos = 0;
    for (HWND child : Children(module.Window())) {
        const RECT r = ts::ChildRect(child);
        if (r.left != 16 || r.top != 32) continue;
        ++memos;
        EXPECT_EQ(ts::WindowText(child), "");
    }
    EXPECT_EQ(memos, 2);
}

TEST(StartupTexts, ShowingAgainReloadsBothHelpTexts)
{
    ts::TipModule module;
    ts::MessageBoxRecorder boxes(module.Library());
    ts::MessageParty party;
    ASSERT_EQ(module.Create(), 0);
    HWND window = module.Window();
    const Memos memos = FindMemos(module);
    ASSERT_TRUE(memos.german && memos.english);

    for (int round = 0; round < 2; ++round) {
        ::ShowWindow(window, SW_HIDE);
        ::SendMessageA(memos.german, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        ::SendMessageA(memos.english, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("stale"));
        party.Broadcast(200, 0);
        ts::PumpMessages();
        EXPECT_TRUE(::IsWindowVisible(window));
        EXPECT_EQ(ts::WindowText(memos.german), LibraryHelpText(211, 2));
        EXPECT_EQ(ts::WindowText(memos.english), LibraryHelpText(211, 4));
    }
    // Shown already: a further show command loads nothing.
    ::SendMessageA(memos.german, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("kept"));
    party.Broadcast(200, 0);
    ts::PumpMessages();
    EXPECT_EQ(ts::WindowText(memos.german), "kept");
    EXPECT_TRUE(boxes.Texts().empty());
}
