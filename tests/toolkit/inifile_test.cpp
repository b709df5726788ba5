#include "tests/support/Files.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/base/Handles.h"
#include "toolkit/system/IniFile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using ts::FileExists;
using ts::ReadBytes;
using ts::WriteBytes;

// The file's non-blank lines without line ends: the profile functions may differ in the
// blank lines they put between sections.
std::vector<std::string> Lines(const std::string& path)
{
    std::vector<std::string> lines;
    std::istringstream in(ReadBytes(path).value_or(""));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

// Every test works in a folder of its own below the temp folder; the profile functions
// cache files by name, so no two tests share one.
class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        ASSERT_NE(::GetTempPathA(MAX_PATH, temp), 0u);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = std::string(temp) + "tk-ini-" + info->name() + "-" + std::to_string(::GetCurrentProcessId()) + "\\";
        ASSERT_TRUE(::CreateDirectoryA(m_folder.c_str(), nullptr));
    }
    void TearDown() override
    {
        WIN32_FIND_DATAA found;
        HANDLE search = ::FindFirstFileA((m_folder + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::string path = m_folder + found.cFileName;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
                ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(path.c_str());
            } while (::FindNextFileA(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryA(m_folder.c_str());
    }

    std::string Path(const char* name) const { return m_folder + name; }

    std::string m_folder;
};

std::string IniFailure(tk::TIniFile& ini, const std::string& section, const std::string& key)
{
    try {
        ini.WriteString(section, key, "value");
    } catch (const tk::EIniFileException& e) {
        return e.what();
    }
    ADD_FAILURE() << "no EIniFileException for " << ini.FileName();
    return {};
}

TEST_F(IniFileTest, ReadStringGivesTheDefaultUnchangedWhenAnythingIsAbsent)
{
    const std::string path = Path("read.ini");
    WriteBytes(path, "[Main]\r\nKey=value\r\nEmpty=\r\n");
    const struct {
        std::string file, section, key, fallback, expected;
    } rows[] = {
        {path, "Main", "Key", "default", "value"},
        {path, "MAIN", "KEY", "default", "value"},
        {path, "Main", "Empty", "default", ""},
        {Path("missing.ini"), "Main", "Key", "default", "default"},
        {path, "Other", "Key", "default", "default"},
        {path, "Main", "Other", "default", "default"},
        {path, "Main", "Other", " blanks around ", " blanks around "},
        {path, "Main", "Other", "", ""},
    };
    for (const auto& row : rows) {
        tk::TIniFile ini(row.file);
        EXPECT_EQ(ini.ReadString(row.section, row.key, row.fallback), row.expected)
            << row.section << "." << row.key << " in " << row.file;
    }
    EXPECT_FALSE(FileExists(Path("missing.ini")));
}

TEST_F(IniFileTest, WriteStringChangesOnlyTheKeyItNames)
{
    const std::string path = Path("write.ini");
    WriteBytes(path, "; note\r\n[A]\r\na1=x\r\na2=y\r\n[B]\r\nb1=z\r\n");
    tk::TIniFile ini(path);
    ini.WriteString("A", "a1", "changed");
    ini.WriteString("A", "new", "v");
    ini.WriteString("C", "c1", "w");
    const std::vector<std::string> expected = {"; note", "[A]",  "a1=changed", "a2=y", "new=v",
                                               "[B]",    "b1=z", "[C]",        "c1=w"};
    EXPECT_EQ(Lines(path), expected);
    EXPECT_EQ(ini.ReadString("B", "b1", "-"), "z");
}

TEST_F(IniFileTest, ValuesRoundTripUnchanged)
{
    const std::string values[] = {
        "with inner  blanks",
        "C:\\Program Files\\x.dll",
        "gr\xFC\xDF",
        "a=b;c",
        std::string(254, 'a'),
        std::string(255, 'b'),
        std::string(256, 'c'),
        std::string(5000, 'd'),
        std::string(2500, 'e') + " " + std::string(2499, 'f'),
    };
    tk::TIniFile ini(Path("values.ini"));
    for (const std::string& value : values) {
        ini.WriteString("Values", "Key", value);
        EXPECT_EQ(ini.ReadString("Values", "Key", "default"), value) << "length " << value.size();
    }
    EXPECT_EQ(tk::TIniFile(Path("values.ini")).ReadString("Values", "Key", ""), values[8]);
}

TEST_F(IniFileTest, DeleteKeyRemovesOnlyThatKey)
{
    const std::string path = Path("delete.ini");
    WriteBytes(path, "[A]\r\na1=x\r\na2=y\r\n[B]\r\na1=z\r\n");
    tk::TIniFile ini(path);
    ini.DeleteKey("A", "a1");
    EXPECT_EQ(Lines(path), (std::vector<std::string>{"[A]", "a2=y", "[B]", "a1=z"}));
    EXPECT_EQ(ini.ReadString("A", "a1", "gone"), "gone");
}

TEST_F(IniFileTest, DeleteKeyOnAnythingAbsentReportsNothingAndWritesNothing)
{
    const std::string path = Path("keep.ini");
    const std::string text = "[A]\r\na1=x\r\n";
    WriteBytes(path, text);
    tk::TIniFile ini(path);
    ini.DeleteKey("A", "missing");
    ini.DeleteKey("Missing", "a1");
    EXPECT_EQ(ReadBytes(path), text);

    tk::TIniFile absent(Path("absent.ini"));
    absent.DeleteKey("A", "a1");
    EXPECT_FALSE(FileExists(absent.FileName()));
}

TEST_F(IniFileTest, WriteStringRaisesNamingTheFileThatCannotBeWritten)
{
    const std::string folder = Path("folder.ini");
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    const std::string noFolder = m_folder + "no-such-folder\\file.ini";

    for (const std::string& path : {noFolder, folder}) {
        tk::TIniFile ini(path);
        EXPECT_NE(IniFailure(ini, "A", "a2").find(path), std::string::npos) << path;
    }
    EXPECT_FALSE(FileExists(noFolder));
    ::RemoveDirectoryA(folder.c_str());
}

// Another program holding the file open, without sharing it at all or sharing it for
// reading only, as a read-only file is (a read-only attribute does not stop root under
// Wine): the profile functions would read defaults and write nothing without telling; the
// class tells, names the file, and the file stays as it was.
TEST_F(IniFileTest, AFileThatRefusesWritesIsToldAndNoWriteOrRemovalPassesAsDone)
{
    const struct {
        const char* file;
        DWORD access, share;
        bool readable;
    } rows[] = {
        {"locked.ini", GENERIC_READ | GENERIC_WRITE, 0, false},
        {"read-only.ini", GENERIC_READ, FILE_SHARE_READ, true},
    };
    EXPECT_TRUE(tk::TIniFile(Path("absent.ini")).CanOpen(GENERIC_WRITE));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const std::string path = Path(row.file);
        const std::string text = "[A]\r\na1=x\r\n";
        WriteBytes(path, text);
        tk::TIniFile ini(path);
        EXPECT_TRUE(ini.CanOpen(GENERIC_READ));
        {
            const tk::UniqueFile holder(
                ::CreateFileA(path.c_str(), row.access, row.share, nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(holder);
            EXPECT_EQ(ini.CanOpen(GENERIC_READ), row.readable);
            EXPECT_FALSE(ini.CanOpen(GENERIC_WRITE));
            EXPECT_NE(IniFailure(ini, "A", "a2").find(path), std::string::npos);
            EXPECT_THROW(ini.WriteString("A", "a1", "y"), tk::EIniFileException);
            EXPECT_THROW(ini.DeleteKey("A", "a1"), tk::EIniFileException);
            if (row.readable) {
                EXPECT_EQ(ini.ReadString("A", "a1", "-"), "x");
            }
        }
        EXPECT_EQ(ReadBytes(path), text);
    }
}

// A value that would break into lines, or one longer than the profile functions take,
// is refused and the file stays as it was; the longest one is written and read whole.
TEST_F(IniFileTest, ValuesTheProfileFunctionsCannotTakeAreRefused)
{
    const std::string path = Path("lines.ini");
    const std::string text = "[A]\r\na1=x\r\n";
    WriteBytes(path, text);
    tk::TIniFile ini(path);
    const std::string longest(tk::TIniFile::kMaxValueLength, 'L');
    for (const std::string& value : {std::string("y\r\n[B]"), std::string("y\nz=1"), std::string("y\r"),
                                     std::string("y\0z", 3), longest + "L", std::string(100000, 'L')}) {
        EXPECT_THROW(ini.WriteString("A", "a1", value), tk::EIniFileException) << value.size();
        EXPECT_EQ(ReadBytes(path), text);
    }
    EXPECT_FALSE(tk::TIniFile::IsOneLine("y\n"));
    EXPECT_TRUE(tk::TIniFile::IsOneLine("  C:\\x y\t"));
    ini.WriteString("A", "a1", longest);
    EXPECT_EQ(ini.ReadString("A", "a1", ""), longest);
}

TEST(IniFileWindowsFolder, ANameWithoutFolderIsAFileInTheWindowsFolder)
{
    const std::string name = "TkIniTest" + std::to_string(::GetCurrentProcessId()) + ".ini";
    char windows[MAX_PATH] = {};
    ASSERT_NE(::GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    const std::string path = std::string(windows) + "\\" + name;
    ASSERT_FALSE(FileExists(path));

    tk::TIniFile ini(name);
    EXPECT_EQ(ini.Path(), path);
    EXPECT_EQ(tk::TIniFile("C:\\x\\y.ini").Path(), "C:\\x\\y.ini");
    ini.WriteString("Probe", "Key", "here");
    const std::vector<std::string> lines = Lines(path);
    ::DeleteFileA(path.c_str());
    EXPECT_EQ(lines, (std::vector<std::string>{"[Probe]", "Key=here"}));
}

} // namespace
