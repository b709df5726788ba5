// Sorvanti.exe in scripted sessions, as scripts/demo runs it: on Windows 98 as Wine
// reports it, with a System.INI that holds a 386Enh section. Each session is a child
// process; the test reads its report and compares System.INI key by key.
#include "contract/Settings.h"
#include "host/tips/Catalog.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Files.h"
#include "tests/support/Registry.h"
#include "tests/support/SystemIni.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

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
    // The first line that starts with `prefix`; the report's length when there is none.
    [[nodiscard]] std::size_t Find(const std::string& prefix) const
    {
        std::size_t i = 0;
        while (i < report.size() && report[i].rfind(prefix, 0) != 0) ++i;
        return i;
    }
    [[nodiscard]] std::string Text() const
    {
        std::string all;
        for (const std::string& l : report) all += l + "\n";
        return all;
    }
};

// Runs Sorvanti.exe of `folder` with `arguments` and its report in a file of its own, in
// `currentDirectory` (null: this program's).
Session RunHost(const std::string& arguments, const std::string& folder = Host::ProgramFolder(),
                const char* currentDirectory = nullptr)
{
    const std::string report = Host::ProgramFolder() + "\\session-report.txt";
    std::remove(report.c_str());
    std::string command = "\"" + folder + "\\Sorvanti.exe\" --report \"" + report + "\" " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    Session session;
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, currentDirectory, &si, &pi)) {
        session.exitCode = ~0u;
        return session;
    }
    if (::WaitForSingleObject(pi.hProcess, ts::kChildDeadlineMs) == WAIT_TIMEOUT)
        ::TerminateProcess(pi.hProcess, 0xDEAD);
    ::WaitForSingleObject(pi.hProcess, 5000);
    ::GetExitCodeProcess(pi.hProcess, &session.exitCode);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    std::istringstream lines(ts::ReadBytes(report).value_or(""));
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
    void SetUp() override { ts::WriteRegistryValue(kVersionKey, "Version", ts::String("win98")); }
    static std::string Ini() { return ts::SystemIni::Read().value_or(""); }

    static constexpr char kVersionKey[] = "Software\\Wine\\AppDefaults\\Sorvanti.exe";
    ts::SavedRegistryKey m_version{kVersionKey};
    ts::SystemIni m_ini{kSystemIni};
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
    EXPECT_EQ(Entries(Ini()), WithPagingDrive("D:"));

    // The picture holds both windows side by side: more than twice the host's width.
    const std::string bmp = ts::ReadBytes(picture).value_or("");
    std::remove(picture.c_str());
    ASSERT_GT(bmp.size(), 26u);
    std::int32_t width = 0;
    std::memcpy(&width, bmp.data() + 18, sizeof width);
    EXPECT_GT(width, 600);
}

// --press finds an element by its accessible name, a button's hint in the window's
// language; a name the window does not have fails the session.
TEST_F(HostSession, PressFindsAButtonByItsNameInTheWindowsLanguage)
{
    const struct {
        const char* language;
        const char* name;
        bool known;
    } rows[] = {
        {"1", "Changes will be saved immediately", true},
        {"0", "\xC4nderungen werden gespeichert", true},
        {"0", "Changes will be saved immediately", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ts::SystemIni::Write(kSystemIni);
        const Session s =
            RunHost(std::string("--tip 211 --language ") + row.language + " --set-text Edit@93,154 D: --press \"" +
                    row.name + "\"" + (row.known ? " --answer no --quit" : " --quit --answer no"));
        const std::string line = std::string("press \"") + row.name + "\"";
        if (row.known) {
            EXPECT_EQ(s.exitCode, 0u) << s.Text();
            EXPECT_TRUE(s.Has(line)) << s.Text();
            EXPECT_TRUE(s.Has("notice 9999: saved")) << s.Text();
            EXPECT_EQ(Entries(Ini()), WithPagingDrive("D:"));
        } else {
            EXPECT_NE(s.exitCode, 0u) << s.Text();
            EXPECT_TRUE(s.Has("error: " + line + ": the tip window has no such element")) << s.Text();
            EXPECT_EQ(Entries(Ini()), Entries(kSystemIni));
        }
    }
}

TEST_F(HostSession, SaveInTheHostSavesAsOKDoes)
{
    const Session s = RunHost(std::string(kOpen) + "--click Save --answer no --quit");
    EXPECT_EQ(s.exitCode, 0u) << s.Text();
    EXPECT_TRUE(s.Has("closing Tipp211.dll: ModulChanged 2, ModulNr 2")) << s.Text();
    EXPECT_EQ(Entries(Ini()), WithPagingDrive("D:"));
}

TEST_F(HostSession, ClosingWithAnUnsavedChangeAsksAndNoLeavesTheFileUntouched)
{
    const std::string before = Ini();
    const Session s = RunHost(std::string(kOpen) + "--quit --answer no");
    EXPECT_EQ(s.exitCode, 0u) << s.Text();
    EXPECT_TRUE(
        s.Has("question \"The changes to \"Move or rename the paging file\" are not saved. Save them now?\": No"))
        << s.Text();
    EXPECT_TRUE(s.Has("closing Tipp211.dll: ModulChanged 1, ModulNr 2")) << s.Text();
    EXPECT_EQ(Ini(), before);
}

// The host is closed while the tip waits in its Info box, whose message loop takes the
// close: the tip is freed once the box is answered, not under the module's own loop.
TEST_F(HostSession, ClosingWhileTheTipWaitsInABoxWaitsForTheBox)
{
    const Session s = RunHost("--tip 211 --language 1 --click Info --quit --answer ok");
    EXPECT_EQ(s.exitCode, 0u) << s.Text();
    EXPECT_LT(s.Find("question \"Valid for:"), s.Find("closing Tipp211.dll: ")) << s.Text();
    EXPECT_TRUE(s.Has("ModulFree 1")) << s.Text();
    EXPECT_TRUE(s.Has("end")) << s.Text();
}

TEST_F(HostSession, ClosingWithAnUnsavedChangeAndYesSaves)
{
    const Session s = RunHost(std::string(kOpen) + "--quit --answer yes --answer no");
    EXPECT_EQ(s.exitCode, 0u) << s.Text();
    EXPECT_TRUE(s.Has("closing Tipp211.dll: ModulChanged 2, ModulNr 2")) << s.Text();
    EXPECT_EQ(Entries(Ini()), WithPagingDrive("D:"));
}

// A failure while saving crosses the DLL boundary as a structured exception; the host
// shows its text. System.INI held open without sharing cannot be read when the window
// opens, and the module then refuses to save.
TEST_F(HostSession, AFailedSaveIsShownInAMessageBox)
{
    ts::SystemIniLock locked;
    const Session s = RunHost("--tip 211 --language 1 --click Save --answer ok --quit");
    locked.Release();
    EXPECT_EQ(s.exitCode, 0u) << s.Text();
    EXPECT_TRUE(s.HasPrefix("save failed: ")) << s.Text();
    EXPECT_TRUE(s.HasPrefix("question \"System.INI")) << "the box shows the module's text\n" << s.Text();
    EXPECT_EQ(Entries(Ini()), Entries(kSystemIni));
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
            std::sscanf(
                line.c_str(),
                ("move " + std::string(e.move) + ": host window right edge %d, top %d; tip window at %d,%d").c_str(),
                &right, &top, &tipLeft, &tipTop);
        EXPECT_GT(right, 200) << e.move << "\n" << s.Text();
        EXPECT_EQ(tipLeft, right) << e.move;
        EXPECT_EQ(tipTop, e.tipTop < 0 ? top : e.tipTop) << e.move;
    }
}

// The language chosen in the window is the one the next start opens the tip in.
TEST_F(HostSession, TheChosenLanguageIsKeptForTheNextStart)
{
    const ts::SavedRegistryKey settings{Settings::kKey};
    const Session choose = RunHost("--tip 211 --language 0 --click English --quit");
    EXPECT_EQ(choose.exitCode, 0u) << choose.Text();
    EXPECT_TRUE(choose.Has("language 1")) << choose.Text();
    const Session next = RunHost("--tip 211 --quit");
    EXPECT_TRUE(next.Has("open Tipp211.dll: tip 211, language 1, OSType 3, OSMask 0x9FF")) << next.Text();
}

// Libraries of the right names in places the search order looks at before the right
// ones: a SorvHelp.dll in the current directory while the host's folder has none, and an
// oleacc.dll in the host's folder. Wine loads its own oleacc even where such a file comes
// first in the search order; told to prefer the file, it loads it, as Windows loads any
// library that is none of its known DLLs, so it is told that for Sorvanti.exe. The planted
// file is a copy of SorvHelp.dll: as the help library it would open the tip, as
// oleacc.dll it would leave the host without an accessible object to press a button of.
TEST_F(HostSession, LibrariesOfTheSearchOrderAreNotLoaded)
{
    const std::string overrides = std::string(kVersionKey) + "\\DllOverrides";
    const ts::SavedRegistryKey savedOverrides{overrides};
    ts::WriteRegistryValue(overrides, "oleacc", ts::String("native,builtin"));
    const struct {
        const char* planted;
        bool inHostFolder;
        std::vector<const char*> hostFiles;
        const char* arguments;
        const char* expected;
    } rows[] = {
        {"SorvHelp.dll",
         false,
         {"Sorvanti.exe", "Tipps.ini", "Tipp211.dll"},
         "--tip 211 --quit",
         "error: Tipp211.dll cannot be loaded"},
        {"oleacc.dll",
         true,
         {"Sorvanti.exe", "Tipps.ini", "Tipp211.dll", "SorvHelp.dll"},
         "--tip 211 --language 1 --press \"Restore defaults\" --state --quit --answer no",
         "state: ModulChanged 1, ModulNr 1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.planted);
        const ts::TemporaryFolder host("planted-host"), current("planted-current");
        for (const char* file : row.hostFiles) host.Copy(Host::ProgramFolder() + "\\" + file, file);
        (row.inHostFolder ? host : current).Copy(Host::ProgramFolder() + "\\SorvHelp.dll", row.planted);
        const Session s = RunHost(row.arguments, host.Path(), current.Path().c_str());
        EXPECT_TRUE(s.Has(row.expected)) << s.Text();
    }
}
