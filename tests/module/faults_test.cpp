// Bad input from every side the real Tipp211.dll takes it from: System.INI, the help
// library, the host's arguments and calls. Nothing crashes, no key the user did not
// change is lost or changed, and the user learns what must be known.
#include "host/script/ImportPatch.h"
#include "tests/support/Pump.h"
#include "tests/support/SavingTip.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <map>
#include <optional>

namespace {

using Lines = std::vector<std::string>;

// Everything the profile functions read from System.INI: "section|key=value" lines.
Lines ProfileDump()
{
    auto read = [](auto&& get) {
        std::vector<char> buffer(1 << 16);
        for (;;) {
            const DWORD length = get(buffer.data(), static_cast<DWORD>(buffer.size()));
            if (length + 2 < buffer.size()) return std::string(buffer.data(), length);
            buffer.resize(buffer.size() * 4);
        }
    };
    auto items = [](const std::string& list) {
        Lines out;
        for (size_t at = 0; at < list.size();) {
            const size_t end = list.find('\0', at);
            out.push_back(list.substr(at, end - at));
            at = end == std::string::npos ? list.size() : end + 1;
        }
        return out;
    };
    Lines dump;
    for (const std::string& section :
         items(read([](char*b, DWORD n) { return ::GetPrivateProfileSectionNamesA(b, n, "system.ini"); })))
        for (const std::string& entry : items(read(
                 [&](char*b, DWORD n) { return ::GetPrivateProfileSectionA(section.c_str(), b, n, "system.ini"); })))
            dump.push_back(section + "|" + entry);
    return dump;
}

struct IniShape;

class FaultTest : public ts::SavingTip {
protected:
    void ExpectOkKeepsEveryKey(const IniShape& shape);
    HWND Open(const ts::CreateArgs& args = {})
    {
        EXPECT_EQ(tip.Create(args), 0);
        boxes.Clear();
        party.Clear();
        return tip.Window();
    }
};

struct IniShape {
    const char* name;
    std::optional<std::string> bytes;
    std::optional<std::string> drive, file; // nothing: whatever the profile functions make of it
};

// An OK without changes on whatever System.INI holds keeps every key it had.
void FaultTest::ExpectOkKeepsEveryKey(const IniShape& shape)
{
    SCOPED_TRACE(shape.name);
    if (shape.bytes) ts::SystemIni::Write(*shape.bytes);
    else ts::SystemIni::Remove();
    const Lines before = ProfileDump();
    Open();
    if (shape.drive) {
        EXPECT_EQ(ts::WindowText(tip.Child(ts::tip::kPagingDrive)), *shape.drive);
    }
    if (shape.file) {
        EXPECT_EQ(ts::WindowText(tip.Child(ts::tip::kPagingFile)), *shape.file);
    }
    boxes.SetAnswer(IDNO);
    EXPECT_FALSE(Save().raised);
    EXPECT_TRUE(ProfileDump() == before) << "a key was lost or changed";
    if (!shape.bytes) {
        EXPECT_FALSE(ts::SystemIni::Read()) << "an absent file was created";
    }
    EXPECT_EQ(tip.Api().Free(), 1);
}

TEST_F(FaultTest, SystemIniOfAnyShapeLosesNoKey)
{
    const IniShape shapes[] = {
        {"absent", std::nullopt, "", ""},
        {"empty", "", "", ""},
        {"binary garbage with NULs",
         std::string("\0\x01\xFF[386Enh]\0\r\nPagingDrive=Q:\r\n\x80\x81\0=\r\n[\0]\r\n", 38), std::nullopt,
         std::nullopt},
        {"386Enh twice", "[386Enh]\r\nPagingDrive=C:\r\n[boot]\r\na=1\r\n[386Enh]\r\nPagingFile=D:\\X.SWP\r\n",
         "C:", ""},
        {"other letter cases", "[386ENH]\r\npagingdrive=D:\r\nPAGINGFILE=D:\\X.SWP\r\n", "D:", "D:\\X.SWP"},
        {"lines without CR", "[boot]\na=1\n[386Enh]\nPagingDrive=E:\nPagingFile=E:\\Y.SWP\n[mci]\nb=2\n",
         "E:", "E:\\Y.SWP"},
    };
    for (const IniShape& shape : shapes) ExpectOkKeepsEveryKey(shape);
}

// A System.INI of megabytes keeps every key through an OK. Wine's profile functions keep
// such a file as tens of thousands of allocations, and heap checking walks the whole heap
// at each of them, so that its cost grows with the square of the file. The test runs as
// CTest entries of its own (tests/CMakeLists.txt), TIPP211_LARGE_INI giving the size in
// KB: 5 MB without heap checking, and a smaller file of the same shape with it.
class LargeSystemIniChild : public FaultTest {};

TEST_F(LargeSystemIniChild, LosesNoKey)
{
    char size[16] = {};
    if (!::GetEnvironmentVariableA("TIPP211_LARGE_INI", size, sizeof size))
        GTEST_SKIP() << "runs as a CTest entry of its own";
    const size_t bytes = std::strtoul(size, nullptr, 10) * 1024;
    ASSERT_GT(bytes, 0u) << "TIPP211_LARGE_INI takes the size in KB";
    std::string big = "[386Enh]\r\nPagingDrive=C:\r\n[Filler]\r\n";
    for (int i = 0; big.size() < bytes; ++i) big += "key" + std::to_string(i) + "=" + std::string(60, 'v') + "\r\n";
    ExpectOkKeepsEveryKey({size, big, "C:", ""});
}

// The help library's texts as they may come: none, empty, very long, with lone line feeds.
const char* g_helpTexts[6] = {};
const char* __stdcall FakeGetHelpText(int, int kind) { return kind >= 0 && kind < 6 ? g_helpTexts[kind] : nullptr; }

TEST_F(FaultTest, HelpTextsOfAnyShapeAreShownWhole)
{
    const Host::ImportPatch help(tip.Library(), "SorvHelp.dll", "GetHelpText",
                                 reinterpret_cast<void*>(&FakeGetHelpText));
    // 64 KB of help text in paragraphs of words, as a long help text has.
    std::string longText;
    for (int i = 1; longText.size() < 64 * 1024; ++i) longText += i % 60 ? "paging file " : "paging file\r\n";
    const struct {
        const char* text;
        std::string shown;
    } rows[] = {
        {nullptr, ""},
        {"", ""},
        {longText.c_str(), longText},
        {"one\ntwo\n\nthree", "one\r\ntwo\r\n\r\nthree"},
        {"cr\ronly\r\nmixed", "cr\r\nonly\r\nmixed"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text ? std::string(row.text).substr(0, 20) : "null");
        g_helpTexts[2] = g_helpTexts[4] = g_helpTexts[5] = row.text;
        for (int language : {0, 1}) {
            ts::CreateArgs args;
            args.language = language;
            HWND window = Open(args);
            HWND memo = nullptr;
            for (HWND m : ts::ChildrenOn(window, ts::tip::kMemoGerman.windowClass, ts::tip::kMemoGerman.Rect()))
                if (::IsWindowVisible(m)) memo = m;
            ASSERT_NE(memo, nullptr);
            const std::string text = ts::WindowText(memo);
            EXPECT_TRUE(text == row.shown) << "language " << language << ": " << text.size() << " characters";
            EXPECT_EQ(tip.Api().Free(), 1);
        }
    }
}

TEST_F(FaultTest, AnyPlaceAndSizeTheHostHandsIn)
{
    const struct {
        int left, top, width, height;
    } rows[] = {{-5000, -5000, 300, 400},
                {0, 0, 0, 0},
                {-1, -1, -1, -1},
                {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
                {INT_MIN, INT_MIN, INT_MIN, INT_MIN},
                {100, 100, 100000, 100000}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.left << ", " << row.top << ", " << row.width << " x " << row.height);
        ts::CreateArgs args;
        args.left = row.left;
        args.top = row.top;
        args.width = row.width;
        args.height = row.height;
        HWND window = Open(args);
        EXPECT_NE(window, nullptr);
        party.Broadcast(12, 300);
        EXPECT_TRUE(boxes.Texts().empty());
        EXPECT_EQ(tip.Api().Free(), 1);
    }
}

TEST_F(FaultTest, EveryExportBeforeCreateAndAfterFreeTwice)
{
    for (const char* phase : {"before ModulCreate", "after ModulFree"}) {
        SCOPED_TRACE(phase);
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(tip.Api().Changed(), 0);
            EXPECT_EQ(tip.Api().Nr(), 2);
            ModuleApi::Failure failure;
            EXPECT_EQ(tip.Api().SaveChanges(failure), 0) << "no window, nothing saved";
            EXPECT_FALSE(failure.raised);
            EXPECT_EQ(tip.Api().Free(), 1);
        }
        Open();
        EXPECT_EQ(tip.Api().Free(), 1);
    }
    EXPECT_TRUE(party.Received().empty());
    EXPECT_TRUE(shutdown.calls.empty());
}

// The host saves again, or frees the window, while the restart question of a save is
// still open.
TEST_F(FaultTest, HostActsWhileTheRestartQuestionIsOpen)
{
    for (bool freeInstead : {false, true}) {
        SCOPED_TRACE(freeInstead ? "ModulFree" : "ModulSaveChanges");
        HWND window = Open();
        int questions = 0;
        boxes.SetAnswer(IDYES);
        boxes.OnBox = [&](const ts::MessageBoxRecorder::Box& box, HWND) {
            if (box.text.rfind(ts::kRestartQuestionStart, 0) != 0 || ++questions > 1) return;
            if (freeInstead) EXPECT_EQ(tip.Api().Free(), 1);
            else EXPECT_FALSE(Save().raised);
        };
        EXPECT_FALSE(Save().raised);
        boxes.OnBox = nullptr;
        EXPECT_EQ(questions, freeInstead ? 1 : 2);
        EXPECT_EQ(::IsWindow(window) != FALSE, !freeInstead);
        EXPECT_EQ(party.Received().size(), freeInstead ? 1u : 2u);
        tip.Api().Free();
    }
}

} // namespace
