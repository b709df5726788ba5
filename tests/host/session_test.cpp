// Sorvanti.exe in scripted sessions, as scripts/demo runs it: on Windows 98 as Wine
// reports it, with a System.INI that holds a 386Enh section. Each session is a child
// process; the test reads its report and compares System.INI key by key.
#include "host/Catalog.h"
#include "toolkit/Handles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::string SystemIniPath()
{
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\system.ini";
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// Every key of an INI file, in order: section, key, value.
using Entry = std::tuple<std::string, std::string, std::string>;
std::vector<Entry> Entries(const std::string& text)
{
    std::vector<Entry> entries;
    std::istringstream lines(text);
    std::string line, section;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > 1 && line.front() == '[') section = line.substr(1, line.find(']') - 1);
        else if (const auto eq = line.find('='); eq != std::string::npos)
            entries.emplace_back(section, line.substr(0, eq), line.substr(eq + 1));
    }
    return entries;
}

constexpr char kSystemIni[] =
    "[boot]\r\nshell=Explorer.exe\r\n\r\n"
    "[386Enh]\r\nwoafont=dosapp.fon\r\nPagingDrive=C:\r\nPagingFile=C:\\WIN386.SWP\r\nMinSPs=16\r\n\r\n"
    "[drivers]\r\nwave=mmdrv.dll\r\n";

// Puts the session's System.INI in place, and the prefix's own back afterwards.
class SystemIni {
public:
    SystemIni() : m_path(SystemIniPath()), m_saved(ReadFile(m_path)) { WriteFile(m_path, kSystemIni); }
    ~SystemIni() { WriteFile(m_path, m_saved); }
    SystemIni(const SystemIni&) = delete;
    SystemIni& operator=(const SystemIni&) = delete;
    [[nodiscard]] std::string Text() const { return ReadFile(m_path); }

private:
    std::string m_path;
    std::string m_saved;
};

// A registry value of the current user, removed or restored when the test ends.
class RegistryValue {
public:
    RegistryValue(const char* key, const char* name) : m_key(key), m_name(name)
    {
        DWORD size = sizeof m_data;
        m_existed = ::RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, &m_type, m_data, &size) == ERROR_SUCCESS;
        m_size = size;
    }
    ~RegistryValue()
    {
        HKEY key = nullptr;
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, m_key, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        if (m_existed) ::RegSetValueExA(key, m_name, 0, m_type, m_data, m_size);
        else ::RegDeleteValueA(key, m_name);
        ::RegCloseKey(key);
    }
    RegistryValue(const RegistryValue&) = delete;
    RegistryValue& operator=(const RegistryValue&) = delete;

    void Set(const char* text) const
    {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, m_key, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
        ::RegSetValueExA(key, m_name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(std::strlen(text) + 1));
        ::RegCloseKey(key);
    }

private:
    const char* m_key;
    const char* m_name;
    bool m_existed = false;
    DWORD m_type = 0;
    BYTE m_data[256] = {};
    DWORD m_size = 0;
};

struct Session {
    DWORD exitCode = 0;
    std::vector<std::string> report;

    [[nodiscard]] bool Has(const std::string& line) const
    {
        for (const std::string& l : report)
            if (l == line) return true;
        return false;
    }
    [[nodiscard]] bool HasPrefix(const std::string& prefix) const
    {
        for (const std::string& l : report)
            if (l.rfind(prefix, 0) == 0) return true;
        return false;
    }
    [[nodiscard]] std::string Text() const
    {
        std::string all;
        for (const std::string& l : report) all += l + "\n";
        return all;
    }
};

// Runs Sorvanti.exe with `arguments` and its report in a file of its own.
Session RunHost(const std::string& arguments)
{
    const std::string report = Host::ProgramFolder() + "\\session-report.txt";
    std::remove(report.c_str());
    std::string command = "\"" + Host::ProgramFolder() + "\\Sorvanti.exe\" --report \"" + report + "\" " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    Session session;
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        session.exitCode = ~0u;
        return session;
    }
    if (::WaitForSingleObject(pi.hProcess, 40000) == WAIT_TIMEOUT) ::TerminateProcess(pi.hProcess, 0xDEAD);
    ::WaitForSingleObject(pi.hProcess, 5000);
    ::GetExitCodeProcess(pi.hProcess, &session.exitCode);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    std::istringstream lines(ReadFile(report));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        session.report.push_back(line);
    }
    std::remove(report.c_str());
    return session;
}

// Each session below runs on Windows 98 as Wine reports it to Sorvanti.exe.
class HostSession : public ::testing::Test {
protected:
    RegistryValue m_version{"Software\\Wine\\AppDefaults\\Sorvanti.exe", "Version"};
    SystemIni m_ini;
    void SetUp() override { m_version.Set("win98"); }
};

std::vector<Entry> WithPagingDrive(const char* drive)
{
    std::vector<Entry> entries = Entries(kSystemIni);
    for (auto& [section, key, value] : entries)
        if (key == "PagingDrive") value = drive;
    return entries;
}

constexpr char kOpen[] = "--tip 211 --language 1 --set-text Edit@93,154 D: ";

} // namespace

// The session scripts/demo runs: open the tip in English, type a new drive, OK, No.
TEST_F(HostSession, TheDemoSessionChangesExactlyTheOneKey)
{
    const std::string picture = Host::ProgramFolder() + "\\session-after.bmp";
    const Session s = RunHost(std::string(kOpen) + "--click OK --answer no --capture \"" + picture + "\" --quit");
    EXPECT_EQ(s.exitCode, 0u) << s.Text();
    EXPECT_TRUE(s.Has("system: OSType 3 (Windows 98 Second Edition)")) << s.Text();
    EXPECT_TRUE(s.Has("notice 9999: saved")) << s.Text();
    EXPECT_TRUE(s.HasPrefix("question \"Um diese \xC4nderung zu aktivieren")) << s.Text();
    EXPECT_TRUE(s.Has("closing Tipp211.dll: ModulChanged 2, ModulNr 2")) << s.Text();
    EXPECT_EQ(Entries(m_ini.Text()), WithPagingDrive("D:"));

    // The picture holds both windows side by side: more than twice the host's width.
    const std::string bmp = ReadFile(picture);
    std::remove(picture.c_str());
    ASSERT_GT(bmp.size(), 26u);
    std::int32_t width = 0;
    std::memcpy(&width, bmp.data() + 18, sizeof width);
    EXPECT_GT(width, 600);
}

TEST_F(HostSession, SaveInTheHostSavesAsOKDoes)
{
    const Session s = RunHost(std::string(kOpen) + "--click Save --answer no --quit");
    EXPECT_EQ(s.exitCode, 0u) << s.Text();
    EXPECT_TRUE(s.Has("closing Tipp211.dll: ModulChanged 2, ModulNr 2")) << s.Text();
    EXPECT_EQ(Entries(m_ini.Text()), WithPagingDrive("D:"));
}

TEST_F(HostSession, ClosingWithAnUnsavedChangeAsksAndNoLeavesTheFileUntouched)
{
    const std::string before = m_ini.Text();
    const Session s = RunHost(std::string(kOpen) + "--quit --answer no");
    EXPECT_EQ(s.exitCode, 0u) << s.Text();
    EXPECT_TRUE(s.Has("question \"The changes to \"Move or rename the paging file\" are not saved. Save them now?\": No"))
        << s.Text();
    EXPECT_TRUE(s.Has("closing Tipp211.dll: ModulChanged 1, ModulNr 2")) << s.Text();
    EXPECT_EQ(m_ini.Text(), before);
}

TEST_F(HostSession, ClosingWithAnUnsavedChangeAndYesSaves)
{
    const Session s = RunHost(std::string(kOpen) + "--quit --answer yes --answer no");
    EXPECT_EQ(s.exitCode, 0u) << s.Text();
    EXPECT_TRUE(s.Has("closing Tipp211.dll: ModulChanged 2, ModulNr 2")) << s.Text();
    EXPECT_EQ(Entries(m_ini.Text()), WithPagingDrive("D:"));
}

// A failure while saving crosses the DLL boundary as a structured exception; the host
// shows its text. System.INI held open without sharing cannot be read when the window
// opens, and the module then refuses to save.
TEST_F(HostSession, AFailedSaveIsShownInAMessageBox)
{
    tk::UniqueFile locked(::CreateFileA(SystemIniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locked);
    const Session s = RunHost("--tip 211 --language 1 --click Save --answer ok --quit");
    locked.reset();
    EXPECT_EQ(s.exitCode, 0u) << s.Text();
    EXPECT_TRUE(s.HasPrefix("save failed: ")) << s.Text();
    EXPECT_TRUE(s.HasPrefix("question \"System.INI")) << "the box shows the module's text\n" << s.Text();
    EXPECT_EQ(Entries(m_ini.Text()), Entries(kSystemIni));
}

// Commands 10 and 11 keep the tip window at the host window's right edge, also when the
// host's top edge leaves the screen (the tips refuse negative values).
TEST_F(HostSession, TheTipWindowFollowsTheHostWindow)
{
    const Session s = RunHost("--tip 211 --move 100,50 --move 200,-20 --quit");
    EXPECT_EQ(s.exitCode, 0u) << s.Text();
    struct Expected {
        const char* move;
        int tipTop; // -1: the host's top
    };
    for (const Expected& e : {Expected{"100,50", -1}, Expected{"200,-20", 1}}) {
        int right = 0, top = 0, tipLeft = -1, tipTop = -1;
        for (const std::string& line : s.report)
            std::sscanf(line.c_str(), ("move " + std::string(e.move) + ": host window right edge %d, top %d; tip window at %d,%d").c_str(),
                        &right, &top, &tipLeft, &tipTop);
        EXPECT_GT(right, 200) << e.move << "\n" << s.Text();
        EXPECT_EQ(tipLeft, right) << e.move;
        EXPECT_EQ(tipTop, e.tipTop < 0 ? top : e.tipTop) << e.move;
    }
}

// The language chosen in the window is the one the next start opens the tip in.
TEST_F(HostSession, TheChosenLanguageIsKeptForTheNextStart)
{
    RegistryValue language{"SOFTWARE\\Kelvamo\\Sorvanti", "Language"};
    const Session choose = RunHost("--tip 211 --language 0 --click English --quit");
    EXPECT_EQ(choose.exitCode, 0u) << choose.Text();
    EXPECT_TRUE(choose.Has("language 1")) << choose.Text();
    const Session next = RunHost("--tip 211 --quit");
    EXPECT_TRUE(next.Has("open Tipp211.dll: tip 211, language 1, OSType 3, OSMask 0x9FF")) << next.Text();
}
