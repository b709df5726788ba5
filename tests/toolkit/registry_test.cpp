#include "toolkit/base/Exceptions.h"
#include "toolkit/system/Registry.h"

#include <gtest/gtest.h>
#include <shlwapi.h>
#include <windows.h>

#include <string>

namespace {

// A scratch key HKCU\Software\TkTests\<test>-<pid>, removed with everything below it.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::string("Software\\TkTests\\") + info->name() + "-" + std::to_string(::GetCurrentProcessId());
        ::SHDeleteKeyA(HKEY_CURRENT_USER, m_path.c_str());
    }
    void TearDown() override
    {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, m_path.c_str());
        ::SHDeleteEmptyKeyA(HKEY_CURRENT_USER, "Software\\TkTests");
    }

    bool KeyExists(const std::string& subPath) const
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, (m_path + subPath).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(key);
        return true;
    }

    // Creates the scratch key and stores a raw value in it.
    void Store(const char* name, DWORD type, const void* data, DWORD size) const
    {
        HKEY key = nullptr;
        ASSERT_EQ(
            ::RegCreateKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        ASSERT_EQ(::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        ::RegCloseKey(key);
    }
    void StoreDword(const char* name, DWORD value) const { Store(name, REG_DWORD, &value, sizeof value); }

    std::string m_path;
};

template <class F>
std::string RegistryFailure(F&& f)
{
    try {
        f();
    } catch (const tk::ERegistryException& e) {
        return e.what();
    }
    ADD_FAILURE() << "no ERegistryException";
    return {};
}

TEST_F(RegistryTest, StartsAtCurrentUserWithNoKeyOpen)
{
    tk::TRegistry reg;
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_FALSE(reg.ValueExists("Anything"));
}

TEST_F(RegistryTest, OpenKeyCreatesAMissingPathOnlyWhenAsked)
{
    tk::TRegistry reg;
    EXPECT_FALSE(reg.OpenKey(m_path + "\\Level1\\Level2", false));
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_FALSE(KeyExists(""));

    ASSERT_TRUE(reg.OpenKey(m_path + "\\Level1\\Level2", true));
    EXPECT_NE(reg.CurrentKey(), nullptr);
    EXPECT_TRUE(KeyExists("\\Level1\\Level2"));

    // The key now exists: opening it without creation works, with a leading backslash too.
    for (const std::string& path : {m_path + "\\Level1\\Level2", "\\" + m_path + "\\Level1"}) {
        tk::TRegistry other;
        EXPECT_TRUE(other.OpenKey(path, false)) << path;
    }
    EXPECT_TRUE(reg.OpenKey("\\" + m_path + "\\Level1\\Other", true));
    EXPECT_TRUE(KeyExists("\\Level1\\Other"));
}

TEST_F(RegistryTest, FailedOpenKeepsTheOpenKeyAndSuccessReplacesIt)
{
    tk::TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(m_path + "\\First", true));
    reg.WriteString("Marker", "first");
    HKEY first = reg.CurrentKey();

    EXPECT_FALSE(reg.OpenKey(m_path + "\\Missing", false));
    EXPECT_EQ(reg.CurrentKey(), first);
    EXPECT_TRUE(reg.ValueExists("Marker"));

    ASSERT_TRUE(reg.OpenKey(m_path + "\\Second", true));
    EXPECT_FALSE(reg.ValueExists("Marker"));
    reg.CloseKey();
    EXPECT_EQ(reg.CurrentKey(), nullptr);
}

TEST_F(RegistryTest, SetRootKeyClosesTheKeyAndPathsFollowTheNewRoot)
{
    HKEY scratch = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                &scratch, nullptr),
              ERROR_SUCCESS);
    {
        tk::TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(m_path, false));
        reg.SetRootKey(scratch);
        EXPECT_EQ(reg.RootKey(), scratch);
        EXPECT_EQ(reg.CurrentKey(), nullptr);
        ASSERT_TRUE(reg.OpenKey("Child", true));
    }
    ::RegCloseKey(scratch);
    EXPECT_TRUE(KeyExists("\\Child"));
}

TEST_F(RegistryTest, ValueExistsSeesOnlyValuesOfTheOpenKey)
{
    StoreDword("Present", 1);
    tk::TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(m_path, false));
    EXPECT_TRUE(reg.ValueExists("Present"));
    EXPECT_TRUE(reg.ValueExists("PRESENT"));
    EXPECT_FALSE(reg.ValueExists("Absent"));
}

TEST_F(RegistryTest, ReadBoolTakesAnyNonZeroDwordAsTrue)
{
    const struct {
        const char* name;
        DWORD value;
        bool expected;
    } rows[] = {
        {"Zero", 0, false},
        {"One", 1, true},
        {"Two", 2, true},
        {"All", 0xFFFFFFFF, true},
    };
    for (const auto& row : rows) StoreDword(row.name, row.value);
    tk::TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(m_path, false));
    for (const auto& row : rows) EXPECT_EQ(reg.ReadBool(row.name), row.expected) << row.name;
}

TEST_F(RegistryTest, ReadBoolRaisesNamingTheValueForOtherTypes)
{
    const char text[] = "1";
    const char longText[] = "a text longer than a DWORD";
    const BYTE bytes[4] = {1, 0, 0, 0};
    const ULONGLONG wide = 1;
    const struct {
        const char* name;
        DWORD type;
        const void* data;
        DWORD size;
    } rows[] = {
        {"BSControl", REG_SZ, text, sizeof text},
        {"LongText", REG_SZ, longText, sizeof longText},
        {"Binary", REG_BINARY, bytes, sizeof bytes},
        {"Wide", REG_QWORD, &wide, sizeof wide},
    };
    for (const auto& row : rows) Store(row.name, row.type, row.data, row.size);
    tk::TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(m_path, false));
    for (const auto& row : rows) {
        std::string message = RegistryFailure([&] { (void)reg.ReadBool(row.name); });
        EXPECT_EQ(message, std::string("Invalid data type for '") + row.name + "'");
    }
}

TEST_F(RegistryTest, ReadBoolRaisesForAMissingValueOrNoOpenKey)
{
    tk::TRegistry reg;
    EXPECT_NE(RegistryFailure([&] { (void)reg.ReadBool("Flag"); }).find("'Flag'"), std::string::npos);
    ASSERT_TRUE(reg.OpenKey(m_path, true));
    EXPECT_NE(RegistryFailure([&] { (void)reg.ReadBool("Missing"); }).find("'Missing'"), std::string::npos);
}

TEST_F(RegistryTest, WriteStringStoresARegSzValue)
{
    const std::string values[] = {"", "plain", "with blanks and \xFC", std::string(3000, 'x')};
    tk::TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(m_path, true));
    for (const std::string& value : values) {
        reg.WriteString("Text", value);
        char buffer[4096] = {};
        DWORD type = REG_NONE;
        DWORD size = sizeof buffer;
        ASSERT_EQ(::RegQueryValueExA(reg.CurrentKey(), "Text", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(size, value.size() + 1);
        EXPECT_EQ(std::string(buffer), value);
    }
}

// Also on 95, 98 and ME, whose registry ignores the access mask: the version matrix runs
// this suite as Wine's win98 and winme.
TEST_F(RegistryTest, WriteStringRaisesWithoutAnOpenKeyOrWriteAccess)
{
    tk::TRegistry reg;
    EXPECT_NE(RegistryFailure([&] { reg.WriteString("Name", "v"); }).find("'Name'"), std::string::npos);

    ASSERT_TRUE(reg.OpenKey(m_path, true));
    reg.CloseKey();
    ASSERT_TRUE(reg.OpenKeyReadOnly(m_path));
    EXPECT_NE(RegistryFailure([&] { reg.WriteString("Name", "v"); }).find("'Name'"), std::string::npos);
    EXPECT_FALSE(reg.ValueExists("Name"));
}

} // namespace
