// The paging-file tip of the real Tipp211.dll against the real System.INI of the test's
// Wine prefix: loading, change tracking, Undo and saving of PagingDrive and PagingFile.
#include "host/script/ImportPatch.h"
#include "tests/support/Pump.h"
#include "tests/support/SavingTip.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>

namespace {

using Lines = std::vector<std::string>;
using Messages = std::vector<ts::ReceivedMessage>;

// Written as Wine's profile functions write a file (they rewrite it whole in this form),
// with a comment, keys around the two and sections before and after.
const std::string kHead =
    "; settings of the system\r\n[boot]\r\nshell=Explorer.exe\r\n[386Enh]\r\nwoafont=dosapp.fon\r\n";
const std::string kTail = "MinPagingFileSize=4096\r\n[mci]\r\ncdaudio=mcicda.dll\r\n";
std::string Ini(const std::string& keys) { return kHead + keys + kTail; }
const std::string kBoth = Ini("PagingDrive=C:\r\nPagingFile=C:\\WIN386.SWP\r\n");

constexpr char kUnreadable[] = "System.INI lie\xDF sich beim \xD6"
                               "ffnen des Fensters nicht lesen. Es wurde nichts gespeichert.";

void Type(HWND edit, const std::string& keys)
{
    for (char key : keys) ::PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(key), 1);
    ts::PumpMessages();
}

class PagingFileTest : public ts::SavingTip {
protected:
    void Open(int osMask = 0x1FFF, int language = 0)
    {
        window = OpenWindow(language, osMask);
        ASSERT_NE(window, nullptr);
        drive = tip.Child(ts::tip::kPagingDrive);
        file = tip.Child(ts::tip::kPagingFile);
        ASSERT_TRUE(drive && file);
    }
    static std::string Text(HWND edit) { return ts::WindowText(edit); }
    void SetText(HWND edit, const std::string& text)
    {
        ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

    HWND window = nullptr, drive = nullptr, file = nullptr;
};

TEST_F(PagingFileTest, FieldsShowTheKeysAsTheyStand)
{
    const std::string umlauts = "D:\\Auslagerung\\\xE4\xF6\xFC\xDF.swp";
    const std::string huge(100000, 'x');
    const struct {
        std::optional<std::string> bytes;
        std::string drive, file;
    } rows[] = {
        {kBoth, "C:", "C:\\WIN386.SWP"},
        {Ini("PagingFile=" + umlauts + "\r\n"), "", umlauts},
        {Ini("PagingFile=" + huge + "\r\n"), "", huge},
        {"[boot]\r\nshell=Explorer.exe\r\n", "", ""},
        {std::nullopt, "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bytes ? row.bytes->substr(0, 120) : "no file");
        if (row.bytes) ts::SystemIni::Write(*row.bytes);
        else ts::SystemIni::Remove();
        Open();
        EXPECT_EQ(Text(drive), row.drive);
        EXPECT_TRUE(Text(file) == row.file) << Text(file).size() << " characters, not " << row.file.size();
        EXPECT_EQ(tip.Api().Changed(), 0);
        EXPECT_EQ(tip.Api().Free(), 1);
        EXPECT_TRUE(ts::SystemIni::Read() == row.bytes) << "reading changed or created the file";
    }
    // A later window of the same load, too, counts its loaded values as no change.
    ts::SystemIni::Write(kBoth);
    Open();
    EXPECT_EQ(tip.Api().Changed(), 0);
}

TEST_F(PagingFileTest, UnsupportedSystemNeitherReadsNorWrites)
{
    ts::SystemIni::Write(kBoth);
    Open(0);
    EXPECT_EQ(Text(drive), "");
    EXPECT_FALSE(::IsWindowEnabled(drive) || ::IsWindowEnabled(file));
    EXPECT_FALSE(Save().raised);
    EXPECT_EQ(ts::SystemIni::Read(), kBoth);
    EXPECT_TRUE(party.Received().empty());
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(PagingFileTest, OkWritesOrRemovesBothKeysAndNothingElse)
{
    const struct {
        std::string before, drive, file, after;
    } rows[] = {
        {kBoth, "", "D:\\PAGE.SWP", Ini("PagingFile=D:\\PAGE.SWP\r\n")},
        {kBoth, "E:", "C:\\WIN386.SWP", Ini("PagingDrive=E:\r\nPagingFile=C:\\WIN386.SWP\r\n")},
        {kBoth, "", "", Ini("")},
        // Blanks are a value, not an empty field (the profile functions drop them as they write).
        {kBoth, "  ", "C:\\WIN386.SWP", Ini("PagingDrive=\r\nPagingFile=C:\\WIN386.SWP\r\n")},
        {Ini(""), "D:", "", kHead + "MinPagingFileSize=4096\r\nPagingDrive=D:\r\n[mci]\r\ncdaudio=mcicda.dll\r\n"},
        {Ini(""), "", "", Ini("")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("drive \"" + row.drive + "\", file \"" + row.file + "\"");
        ts::SystemIni::Write(row.before);
        Open();
        boxes.SetAnswer(IDNO);
        SetText(drive, row.drive);
        SetText(file, row.file);
        EXPECT_FALSE(Save().raised);
        EXPECT_EQ(ts::SystemIni::Read(), row.after);
        EXPECT_TRUE(Asked());
        EXPECT_EQ(party.Received(), (Messages{{9999, 2}}));
        EXPECT_EQ(tip.Api().Free(), 1);
    }
}

TEST_F(PagingFileTest, EditSaveUndoCycleAsAUserDoesIt)
{
    ts::SystemIni::Write(kBoth);
    Open();
    boxes.SetAnswer(IDNO);
    ::SendMessageA(drive, EM_SETSEL, 0, -1);
    Type(drive, "D:");
    EXPECT_EQ(Text(drive), "D:");
    EXPECT_EQ(tip.Api().Changed(), 1);
    ts::Click(window, ts::tip::kOK);
    EXPECT_EQ(ts::SystemIni::Read(), Ini("PagingDrive=D:\r\nPagingFile=C:\\WIN386.SWP\r\n"));
    EXPECT_EQ(tip.Api().Changed(), 2);
    EXPECT_EQ(tip.Api().Nr(), 2);
    EXPECT_TRUE(Asked());
    EXPECT_TRUE(shutdown.calls.empty());

    ts::Click(window, ts::tip::kUndo);
    EXPECT_EQ(Text(drive) + Text(file), "");
    EXPECT_EQ(tip.Api().Changed(), 1);
    EXPECT_EQ(tip.Api().Nr(), 1);
    EXPECT_EQ(ts::SystemIni::Read(), Ini("PagingDrive=D:\r\nPagingFile=C:\\WIN386.SWP\r\n")) << "Undo wrote";
    ts::Click(window, ts::tip::kUndo); // on empty fields: nothing more changes
    EXPECT_EQ(tip.Api().Changed(), 1);
    ts::Click(window, ts::tip::kOK);
    EXPECT_EQ(ts::SystemIni::Read(), Ini(""));
    EXPECT_EQ(tip.Api().Changed(), 2);
    EXPECT_EQ(party.Received(), (Messages{{9999, 2}, {9999, 1}}));
}

// Nothing is written, nothing broadcast and no restart asked when a save cannot be made
// whole: the file is locked, was locked when the window opened, or a value would break
// into lines or is longer than the profile functions take. A click reports the failure,
// the host receives it.
TEST_F(PagingFileTest, SaveThatCannotBeMadeWholeChangesNothing)
{
    enum Case { kLockedOnSave, kLockedOnOpen, kUnstorable };
    const struct {
        Case what;
        std::string drive;
        std::string message;
        std::string file = "";
        int language = 0;
    } rows[] = {
        {kLockedOnSave, "E:", "Unable to write to System.INI"},
        {kLockedOnSave, "", "Unable to write to System.INI"},
        {kLockedOnOpen, "E:", kUnreadable},
        {kUnstorable, "E:\r\n[boot]",
         "PagingDrive: Der Wert darf keinen Zeilenumbruch enthalten. Es wurde nichts gespeichert."},
        {kUnstorable, "E:\nX=1",
         "PagingDrive: Der Wert darf keinen Zeilenumbruch enthalten. Es wurde nichts gespeichert."},
        {kUnstorable, std::string(32767, 'E'),
         "PagingDrive: Der Wert darf h\xF6"
         "chstens 32766 Zeichen lang sein. Es wurde nichts gespeichert."},
        {kUnstorable, "E:", "PagingFile: The value must not be longer than 32766 characters. Nothing was saved.",
         std::string(100000, 'F'), 1},
    };
    for (const auto& row : rows) {
        for (bool byClick : {true, false}) {
            SCOPED_TRACE(testing::Message() << "case " << row.what << (byClick ? ", click" : ", ModulSaveChanges"));
            ts::SystemIni::Write(kBoth);
            std::unique_ptr<ts::SystemIniLock> lock;
            if (row.what == kLockedOnOpen) lock = std::make_unique<ts::SystemIniLock>();
            Open(0x1FFF, row.language);
            lock.reset();
            if (row.what == kLockedOnSave) lock = std::make_unique<ts::SystemIniLock>();
            SetText(drive, row.drive);
            SetText(file, row.file);
            boxes.Clear();
            if (byClick) {
                ts::Click(window, ts::tip::kOK);
                EXPECT_EQ(boxes.Texts(), Lines{row.message});
            } else {
                const ModuleApi::Failure failure = Save();
                EXPECT_TRUE(failure.raised);
                EXPECT_EQ(failure.text, row.message);
                EXPECT_TRUE(boxes.Texts().empty());
            }
            lock.reset();
            EXPECT_EQ(ts::SystemIni::Read(), kBoth);
            EXPECT_TRUE(party.Received().empty());
            EXPECT_EQ(tip.Api().Changed(), 1) << "Saved was set";
            EXPECT_EQ(tip.Api().Free(), 1);
        }
    }
}

// Stands in for WritePrivateProfileStringA in Tipp211.dll: a removal (a null value) of the
// key named, or of any key when null, reports failure; the key stays unless `removes`.
struct RefusedRemoval {
    const char* key;
    bool removes;
};
RefusedRemoval g_refusal;
void* g_writeProfile = nullptr;

BOOL WINAPI RefuseRemoval(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file)
{
    const auto write = reinterpret_cast<decltype(&::WritePrivateProfileStringA)>(g_writeProfile);
    if (value || (g_refusal.key && std::strcmp(key, g_refusal.key) != 0)) return write(section, key, value, file);
    if (g_refusal.removes) write(section, key, value, file);
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

// Undo empties both fields, so that OK removes both keys, PagingDrive first. A removal
// whose key is still there fails the save at that key, as a refused write does: a key not
// yet handled stays, nothing is broadcast or asked, and ModulChanged and ModulNr stay. A
// removal reported as failed whose key is gone has worked.
TEST_F(PagingFileTest, ARemovalThatLeavesTheKeyFailsTheSave)
{
    const struct {
        RefusedRemoval refusal;
        std::string after;
        bool saved;
    } rows[] = {
        {{"PagingDrive", false}, kBoth, false},
        {{"PagingFile", false}, Ini("PagingFile=C:\\WIN386.SWP\r\n"), false},
        {{nullptr, true}, Ini(""), true},
    };
    const Host::ImportPatch patch(tip.Library(), "kernel32.dll", "WritePrivateProfileStringA",
                                  reinterpret_cast<void*>(&RefuseRemoval));
    g_writeProfile = patch.Original();
    for (const auto& row : rows) {
        for (bool byClick : {true, false}) {
            SCOPED_TRACE(testing::Message() << (row.refusal.key ? row.refusal.key : "both, removed")
                                            << (byClick ? ", click" : ", ModulSaveChanges"));
            g_refusal = row.refusal;
            ts::SystemIni::Write(kBoth);
            Open();
            ts::Click(window, ts::tip::kUndo);
            boxes.SetAnswer(IDNO);
            boxes.Clear();
            const Lines failure = row.saved ? Lines{} : Lines{"Unable to write to System.INI"};
            if (byClick) {
                ts::Click(window, ts::tip::kOK);
                if (!row.saved) {
                    EXPECT_EQ(boxes.Texts(), failure);
                }
            } else {
                const ModuleApi::Failure raised = Save();
                EXPECT_EQ(raised.raised ? Lines{raised.text} : Lines{}, failure);
            }
            EXPECT_EQ(ts::SystemIni::Read(), row.after);
            EXPECT_EQ(party.Received(), (row.saved ? Messages{{9999, 1}} : Messages{}));
            EXPECT_EQ(Asked(), row.saved);
            EXPECT_EQ(tip.Api().Changed(), row.saved ? 2 : 1);
            EXPECT_EQ(tip.Api().Nr(), 1);
            EXPECT_EQ(tip.Api().Free(), 1);
        }
    }
}

} // namespace
