// The Info and Registry buttons and the window switch of the real Tipp211.dll, on an
// enabled window and on one that the operating-system check disabled.
#include "host/script/ImportPatch.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/MessageParty.h"
#include "tests/support/Pump.h"
#include "tests/support/Registry.h"
#include "tests/support/TipModule.h"

#include <gtest/gtest.h>

#include <shellapi.h>
#include <optional>

namespace {

using Lines = std::vector<std::string>;
using Messages = std::vector<ts::ReceivedMessage>;

constexpr char kRegeditKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
constexpr char kKey211[] =
    "My Computer\\HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Session Manager\\Memory Management";

// The key the registry editor opens at, as the module leaves it.
std::optional<std::string> LastKey()
{
    const std::optional<ts::RegistryValue> value = ts::ReadRegistryValue(kRegeditKey, "LastKey");
    if (!value || value->type != REG_SZ) return std::nullopt;
    return std::string(value->data.begin(), value->data.end()).c_str();
}

void SetLastKey(const std::string& key) { ts::WriteRegistryValue(kRegeditKey, "LastKey", ts::String(key)); }

// The registry editor of the Windows folder, by its full path.
std::string Editor()
{
    char folder[MAX_PATH] = {};
    ::GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\regedit.exe";
}

// What the module asks of the help library and the shell, recorded, and what the shell
// answers.
struct Recorded {
    const char* helpText = nullptr;
    bool useRealHelp = true;
    void* realHelp = nullptr;
    Lines shellCalls;
    INT_PTR shellResult = 42;
} g_recorded;

const char* __stdcall FakeGetHelpText(int tipNr, int kind)
{
    if (kind != 5 || g_recorded.useRealHelp)
        return reinterpret_cast<const char*(__stdcall*)(int, int)>(g_recorded.realHelp)(tipNr, kind);
    return g_recorded.helpText;
}

HINSTANCE WINAPI FakeShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                                   const char* directory, int show)
{
    std::string call = ::IsWindow(owner) ? "window" : "no window";
    for (const char* s : {verb, file, parameters, directory})
        call.append(s ? " \"" : " null").append(s ? s : "").append(s ? "\"" : "");
    call.append(" ").append(std::to_string(show)).append(" LastKey ").append(LastKey().value_or("absent"));
    g_recorded.shellCalls.push_back(call);
    return reinterpret_cast<HINSTANCE>(g_recorded.shellResult);
}

UINT WINAPI NoWindowsFolder(char*, UINT) { return 0; }

class CommandsTest : public testing::Test {
protected:
    void SetUp() override { g_recorded = {}; }

    HWND Open(int language = 0, int osMask = 0x1FFF, int osType = 4)
    {
        ts::CreateArgs args;
        args.language = language;
        args.osMask = osMask;
        args.osType = osType;
        tip.Create(args);
        boxes.Clear();
        return tip.Window();
    }
    void InterceptShell()
    {
        patches.emplace_back(tip.Library(), "shell32.dll", "ShellExecuteA",
                             reinterpret_cast<void*>(&FakeShellExecuteA));
        patches.emplace_back(tip.Library(), "SorvHelp.dll", "GetHelpText", reinterpret_cast<void*>(&FakeGetHelpText));
        g_recorded.realHelp = patches.back().Original();
    }

    ts::SavedRegistryKey regedit{kRegeditKey};
    ts::TipModule tip;
    ts::MessageBoxRecorder boxes{tip.Library()};
    std::vector<Host::ImportPatch> patches;
};

TEST_F(CommandsTest, InfoListsTheSystemsOfTheMaskInTableOrder)
{
    const std::string de = "G\xFCltig f\xFCr:\r\n\r\n", en = "Valid for:\r\n\r\n";
    const struct {
        int osMask, language;
        std::string text;
    } rows[] = {
        {0, 0, de},
        {0, 1, en},
        {0x3E000, 2, de}, // OSTypes 14 to 18 have no name
        {0x200 | 0x400 | 0x1000, 1, en + "Windows NT\r\nWindows 2000\r\nWindows XP\r\n"},
        {0x1 | 0x8, 0, de + "Windows 98 Standard Edition\r\nWindows 95\r\n"},
        {-1, 0,
         de + "Windows 98 Standard Edition\r\nWindows 98 Standard Edition A\r\nWindows 98 Second Edition\r\n"
              "Windows 95\r\nWindows 95 A\r\nWindows 95 B\r\nWindows 95 B OEM Service Release 2\r\n"
              "Windows 95 B OEM Service Release 2.1\r\nWindows 95 C OEM Service Release 2.5 C\r\n"
              "Windows NT\r\nWindows 2000\r\nWindows 98 ME\r\nWindows XP\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "OSMask 0x" << std::hex << row.osMask << ", language " << row.language);
        ts::Click(Open(row.language, row.osMask), ts::tip::kInfo);
        EXPECT_EQ(boxes.Texts(), Lines{row.text});
        EXPECT_EQ(tip.Api().Free(), 1);
    }
}

TEST_F(CommandsTest, RegistryPointsTheEditorAtTheTipsKeyBeforeStartingIt)
{
    InterceptShell();
    const struct {
        bool real;
        const char* helpText;
        std::string lastKey;
    } rows[] = {{true, nullptr, kKey211},
                {false, nullptr, ""},
                {false, "", ""},
                {false, "HKEY_CURRENT_USER\\x", "HKEY_CURRENT_USER\\x"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.lastKey);
        SetLastKey("earlier");
        g_recorded.useRealHelp = row.real;
        g_recorded.helpText = row.helpText;
        g_recorded.shellCalls.clear();
        ts::Click(Open(), ts::tip::kRegistry);
        EXPECT_EQ(LastKey(), row.lastKey);
        EXPECT_EQ(g_recorded.shellCalls, Lines{"window null \"" + Editor() + "\" \"\" \"\" 5 LastKey " + row.lastKey});
        EXPECT_TRUE(boxes.Texts().empty());
        EXPECT_EQ(tip.Api().Free(), 1);
    }
}

// A result of 32 or less is a failure: a message in the window's language says so. An
// unknown Windows folder starts nothing, rather than a regedit.exe of the search order.
TEST_F(CommandsTest, RegistryReportsAnEditorThatDidNotStart)
{
    InterceptShell();
    const std::string german = " lie\xDF sich nicht starten.";
    const struct {
        INT_PTR result;
        bool folderKnown;
        int language;
        Lines texts;
    } rows[] = {
        {SE_ERR_FNF, true, 0, {"Der Registrierungs-Editor " + Editor() + german}},
        {32, true, 1, {"The registry editor " + Editor() + " could not be started."}},
        {33, true, 1, {}},
        {42, false, 0, {"Der Registrierungs-Editor regedit.exe" + german}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "result " << row.result << ", folder known " << row.folderKnown);
        g_recorded.shellResult = row.result;
        g_recorded.shellCalls.clear();
        HWND window = Open(row.language);
        std::optional<Host::ImportPatch> noFolder;
        if (!row.folderKnown)
            noFolder.emplace(tip.Library(), "kernel32.dll", "GetWindowsDirectoryA",
                             reinterpret_cast<void*>(&NoWindowsFolder));
        ts::Click(window, ts::tip::kRegistry);
        EXPECT_EQ(g_recorded.shellCalls.size(), row.folderKnown ? 1u : 0u);
        EXPECT_EQ(boxes.Texts(), row.texts);
        EXPECT_EQ(tip.Api().Free(), 1);
    }
}

LONG WINAPI RefuseKey(HKEY, const char*, DWORD, char*, DWORD, REGSAM, SECURITY_ATTRIBUTES*, HKEY*, DWORD*)
{
    return ERROR_ACCESS_DENIED;
}

TEST_F(CommandsTest, RegistryThatCannotWriteReportsAndStartsNoEditor)
{
    InterceptShell();
    HWND window = Open();
    SetLastKey("earlier");
    const Host::ImportPatch refuse(tip.Library(), "advapi32.dll", "RegCreateKeyExA",
                                   reinterpret_cast<void*>(&RefuseKey));
    ts::Click(window, ts::tip::kRegistry);
    EXPECT_EQ(boxes.Texts().size(), 1u);
    EXPECT_TRUE(g_recorded.shellCalls.empty());
    EXPECT_EQ(LastKey(), "earlier");
}

// On a window the operating-system check disabled, Info, Registry and the window switch
// (F12) still work; the switch shows the module's hidden window and reaches every window.
TEST_F(CommandsTest, CommandsWorkOnADisabledWindowAndTheSwitchShowsItAgain)
{
    InterceptShell();
    ts::MessageParty party;
    HWND window = Open(0, 0x400, 10);
    ASSERT_FALSE(::IsWindowEnabled(tip.Child(ts::tip::kPagingDrive)));
    ts::Click(window, ts::tip::kInfo);
    EXPECT_EQ(boxes.Texts(), Lines{"G\xFCltig f\xFCr:\r\n\r\nWindows 2000\r\n"});
    ts::Click(window, ts::tip::kRegistry);
    EXPECT_EQ(g_recorded.shellCalls.size(), 1u);

    ::ShowWindow(window, SW_HIDE);
    party.Clear();
    ::SendMessageA(window, WM_KEYDOWN, VK_F12, 0);
    ts::PumpMessages();
    EXPECT_EQ(party.Received(), (Messages{{200, 0}}));
    EXPECT_TRUE(::IsWindowVisible(window));
}

// The real shell starts Wine's own registry editor, which is closed again at once.
TEST_F(CommandsTest, RegistryStartsTheRealEditor)
{
    HWND window = Open();
    ts::Click(window, ts::tip::kRegistry);
    EXPECT_EQ(LastKey(), kKey211);
    HWND editor = nullptr;
    EXPECT_TRUE(ts::PumpUntil([&] { return (editor = ::FindWindowA("RegEdit_RegEdit", nullptr)) != nullptr; }));
    if (editor) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(editor, &process);
        ::PostMessageA(editor, WM_CLOSE, 0, 0);
        HANDLE handle = ::OpenProcess(SYNCHRONIZE, FALSE, process);
        if (handle) {
            EXPECT_EQ(::WaitForSingleObject(handle, ts::kDeadlineMs), WAIT_OBJECT_0);
            ::CloseHandle(handle);
        }
    }
}

} // namespace
