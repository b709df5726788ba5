// The host's OSType for each Windows version, read through GetVersionExA with the
// version information faked in this program's import table.
#include "host/script/ImportPatch.h"
#include "host/tips/OSType.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct VersionRow {
    DWORD platform, major, minor, build;
    const char* csd;
    int osType;
};

const VersionRow* g_reported = nullptr;

BOOL WINAPI FakeGetVersionExA(OSVERSIONINFOA* info)
{
    if (!g_reported) return FALSE;
    info->dwPlatformId = g_reported->platform;
    info->dwMajorVersion = g_reported->major;
    info->dwMinorVersion = g_reported->minor;
    info->dwBuildNumber = g_reported->build;
    std::strncpy(info->szCSDVersion, g_reported->csd, sizeof info->szCSDVersion - 1);
    return TRUE;
}

constexpr DWORD k9x = VER_PLATFORM_WIN32_WINDOWS;
constexpr DWORD kNT = VER_PLATFORM_WIN32_NT;

// Windows 95 and 98 put their version into the build number's high word.
constexpr DWORD Build9x(DWORD major, DWORD minor, DWORD build) { return major << 24 | minor << 16 | build; }

const VersionRow kRows[] = {
    {k9x, 4, 10, Build9x(4, 10, 1998), " ", 1},   // Windows 98 Standard Edition
    {k9x, 4, 10, Build9x(4, 10, 1998), " A ", 2}, // Windows 98 Standard Edition A
    {k9x, 4, 10, Build9x(4, 10, 2222), " A ", 3}, // Windows 98 Second Edition (Wine's win98)
    {k9x, 4, 10, Build9x(4, 10, 2222), "", 3},
    {k9x, 4, 0, Build9x(4, 0, 950), "", 4},     // Windows 95
    {k9x, 4, 0, Build9x(4, 0, 950), " A ", 5},  // 95 A
    {k9x, 4, 0, Build9x(4, 0, 950), " B ", 6},  // 95 B
    {k9x, 4, 0, Build9x(4, 0, 1111), " B ", 7}, // 95 B OSR 2
    {k9x, 4, 0, Build9x(4, 3, 1212), " B ", 8}, // 95 B OSR 2.1
    {k9x, 4, 0, Build9x(4, 3, 1214), " B ", 8},
    {k9x, 4, 0, Build9x(4, 3, 1214), " C ", 9},  // 95 C OSR 2.5
    {kNT, 3, 51, 1057, "Service Pack 5", 10},    // Windows NT 3.51
    {kNT, 4, 0, 1381, "Service Pack 6", 10},     // Windows NT 4.0 (Wine's nt40)
    {kNT, 5, 0, 2195, "Service Pack 4", 11},     // Windows 2000 (Wine's win2k)
    {k9x, 4, 90, Build9x(4, 90, 3000), " ", 12}, // Windows ME (Wine's winme)
    {kNT, 5, 1, 2600, "Service Pack 3", 13},     // Windows XP (Wine's winxp)
    {kNT, 5, 2, 3790, "Service Pack 2", 14},     // Server 2003, XP x64
    {kNT, 6, 0, 6002, "Service Pack 2", 15},     // Vista
    {kNT, 6, 1, 7601, "Service Pack 1", 16},     // 7
    {kNT, 6, 2, 9200, "", 17},                   // 8, and later systems without a manifest
    {kNT, 6, 3, 9600, "", 18},                   // 8.1
    {kNT, 10, 0, 19045, "", 18},                 // 10
    {VER_PLATFORM_WIN32s, 3, 11, 0, "", 0},      // Win32s: no tip knows it
};

} // namespace

TEST(OSType, EveryVersionGetsItsNumber)
{
    Host::ImportPatch patch(::GetModuleHandleA(nullptr), "kernel32.dll", "GetVersionExA",
                            reinterpret_cast<void*>(&FakeGetVersionExA));
    for (const VersionRow& row : kRows) {
        g_reported = &row;
        EXPECT_EQ(Host::RunningOSType(), row.osType)
            << row.major << "." << row.minor << "." << LOWORD(row.build) << " \"" << row.csd << "\"";
    }
    g_reported = nullptr;
    EXPECT_EQ(Host::RunningOSType(), 0) << "a version that cannot be read";
}
