// SorvHelp.dll as its clients see it: through the import library and loaded by name.
#include "helptext/GetHelpText.h"
#include "tests/helptext/StackProbe.h"

#include "toolkit/base/Handles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using ts::HelpTextFn;

constexpr int kTip = 211;
constexpr int kGermanHelp = 2;
constexpr int kEnglishHelp = 4;
constexpr int kRegistryKey = 5;

struct FreeModuleHandle {
    void operator()(HMODULE h) const { ::FreeLibrary(h); }
};
using UniqueModule = tk::UniqueHandle<tk::NullHandleTraits<HMODULE, FreeModuleHandle>>;

// A second reference to the DLL, taken by name, and its export looked up by the plain name.
struct LoadedByName {
    UniqueModule module{::LoadLibraryA("SorvHelp.dll")};
    HelpTextFn fn =
        module ? reinterpret_cast<HelpTextFn>(reinterpret_cast<void*>(::GetProcAddress(module.get(), "GetHelpText")))
               : nullptr;
};

struct Case {
    int tipNr;
    int helpKind;
    bool hasText;
};

constexpr Case kCases[] = {
    {kTip, kGermanHelp, true},
    {kTip, kEnglishHelp, true},
    {kTip, kRegistryKey, true},
    {kTip, 1, false},
    {kTip, 3, false},
    {kTip, 6, false},
    {kTip, 0, false},
    {kTip, -1, false},
    {0, kGermanHelp, false},
    {210, kGermanHelp, false},
    {212, kEnglishHelp, false},
    {212, kRegistryKey, false},
    {0, 0, false},
};

TEST(HelpText, ExportsThePlainNameOnly)
{
    LoadedByName dll;
    ASSERT_TRUE(dll.module);
    ASSERT_NE(dll.fn, nullptr);
    // The import library must bind to the very same export.
    EXPECT_EQ(reinterpret_cast<void*>(dll.fn), reinterpret_cast<void*>(&GetHelpText));
    EXPECT_EQ(::GetProcAddress(dll.module.get(), "GetHelpText@8"), nullptr);
    EXPECT_EQ(::GetProcAddress(dll.module.get(), "_GetHelpText@8"), nullptr);
}

TEST(HelpText, AnswersOnlyKnownTipsAndKinds)
{
    LoadedByName dll;
    ASSERT_NE(dll.fn, nullptr);
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << "tip " << c.tipNr << " kind " << c.helpKind);
        const char* imported = GetHelpText(c.tipNr, c.helpKind);
        EXPECT_EQ(dll.fn(c.tipNr, c.helpKind), imported);
        if (c.hasText) {
            ASSERT_NE(imported, nullptr);
            EXPECT_GT(std::string_view(imported).size(), 0u);
        } else {
            EXPECT_EQ(imported, nullptr);
        }
    }
}

TEST(HelpText, CalleeCleansTheStack)
{
    if (!ts::kCalleeRemovesArguments)
        GTEST_SKIP() << "one calling convention on this architecture: no stack to balance";
    LoadedByName dll;
    ASSERT_NE(dll.fn, nullptr);
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << "tip " << c.tipNr << " kind " << c.helpKind);
        const ts::ProbedCall call = ts::CallAndMeasureStack(dll.fn, c.tipNr, c.helpKind);
        EXPECT_EQ(call.stackDelta, 0);
        // Arguments arrive in the right order: swapping them would miss the known entries.
        EXPECT_EQ(call.text, GetHelpText(c.tipNr, c.helpKind));
    }
}

// Bytes that code page 1252 leaves undefined.
bool IsUndefinedIn1252(unsigned char b) { return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D; }

TEST(HelpText, HelpTextsAreCp1252LinesWithCrLf)
{
    const struct {
        int kind;
        bool asciiOnly;
    } texts[] = {{kGermanHelp, false}, {kEnglishHelp, true}};
    for (const auto& t : texts) {
        SCOPED_TRACE(testing::Message() << "kind " << t.kind);
        const char* raw = GetHelpText(kTip, t.kind);
        ASSERT_NE(raw, nullptr);
        const std::string_view text(raw);

        int lines = 1;
        bool umlaut = false;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto b = static_cast<unsigned char>(text[i]);
            if (b == '\r') {
                ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "lone CR at " << i;
                ++lines;
                ++i;
                continue;
            }
            ASSERT_NE(b, '\n') << "lone LF at " << i;
            ASSERT_GE(b, 0x20) << "control byte at " << i;
            ASSERT_NE(b, 0xC3) << "UTF-8 lead byte at " << i;
            ASSERT_FALSE(IsUndefinedIn1252(b)) << "byte " << int(b) << " at " << i;
            if (t.asciiOnly) {
                ASSERT_LT(b, 0x80) << "non-ASCII byte at " << i;
            }
            umlaut = umlaut || std::string_view("\xE4\xF6\xFC\xDF\xC4\xD6\xDC").find(static_cast<char>(b)) !=
                                   std::string_view::npos;
        }
        EXPECT_EQ(umlaut, !t.asciiOnly);
        EXPECT_GE(lines, 6);
        EXPECT_LE(lines, 10);
        EXPECT_FALSE(text.ends_with("\r\n"));

        for (const char* word :
             {"PagingDrive", "PagingFile", "[386Enh]", "System.INI", "WIN386.SWP", "D:\\WIN386.SWP", "OK"}) {
            EXPECT_NE(text.find(word), std::string_view::npos) << word;
        }
    }
}

TEST(HelpText, TextsStayInPlaceAcrossCalls)
{
    const char* german = GetHelpText(kTip, kGermanHelp);
    const char* english = GetHelpText(kTip, kEnglishHelp);
    ASSERT_NE(german, nullptr);
    ASSERT_NE(english, nullptr);
    const std::string germanCopy(german);
    const std::string englishCopy(english);
    {
        // Loading and freeing a second reference must leave the first one's texts alone.
        LoadedByName dll;
        ASSERT_NE(dll.fn, nullptr);
        for (int round = 0; round < 3; ++round) {
            for (const Case& c : kCases) dll.fn(c.tipNr, c.helpKind);
        }
        EXPECT_EQ(dll.fn(kTip, kGermanHelp), german);
    }
    EXPECT_EQ(GetHelpText(kTip, kGermanHelp), german);
    EXPECT_EQ(GetHelpText(kTip, kEnglishHelp), english);
    EXPECT_EQ(germanCopy, german);
    EXPECT_EQ(englishCopy, english);
    EXPECT_NE(german, english);
}

TEST(HelpText, RegistryKeyIsALastKeyPathThatOpens)
{
    const char* raw = GetHelpText(kTip, kRegistryKey);
    ASSERT_NE(raw, nullptr);
    const std::string_view key(raw);
    constexpr std::string_view kRoot = "My Computer\\HKEY_LOCAL_MACHINE\\";
    ASSERT_TRUE(key.starts_with(kRoot)) << key;
    EXPECT_FALSE(key.ends_with("\\"));
    EXPECT_EQ(std::count(key.begin(), key.end(), '\r') + std::count(key.begin(), key.end(), '\n'), 0);

    // The part below the root names the key that holds the paging-file settings.
    const std::string subKey(key.substr(kRoot.size()));
    HKEY opened = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_READ, &opened), ERROR_SUCCESS) << subKey;
    tk::UniqueRegKey owner(opened);
    EXPECT_TRUE(key.ends_with("\\Session Manager\\Memory Management"));
}

} // namespace
