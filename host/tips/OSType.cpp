#include "host/tips/OSType.h"
#include "contract/OSTypes.h"

#include <cctype>
#include <iterator>

namespace Host {

namespace {

// The release letter that Windows 95 and 98 put into the service-pack text, " A ",
// " B " or " C "; 0 when there is none.
char ReleaseLetter(const char* csd)
{
    for (const char* p = csd; *p; ++p)
        if (*p != ' ') return static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    return 0;
}

// Windows 95 (4.0 on the Windows platform). The releases differ in build number and
// release letter; OSR 2.1 and 2.5 report build 4.03.121x with minor version 0.
int Windows95(unsigned build, char letter)
{
    if (letter == 'C') return 9; // 4.03.1214 C: Windows 95 C, OEM Service Release 2.5
    if (build >= 1212) return 8; // 4.03.1212 to 1214 B: Windows 95 B, OEM Service Release 2.1
    if (build >= 1111) return 7; // 4.00.1111 B: Windows 95 B, OEM Service Release 2
    if (letter == 'B') return 6; // 4.00.950 B: Windows 95 B
    if (letter == 'A') return 5; // 4.00.950 A: Windows 95 A (Service Pack 1, OSR 1)
    return 4;                    // 4.00.950: Windows 95
}

// Windows 98 (4.10 on the Windows platform).
int Windows98(unsigned build, char letter)
{
    if (build >= 2222) return 3; // 4.10.2222, reported with " A ": Windows 98 Second Edition
    if (letter == 'A') return 2; // 4.10.1998 A: Windows 98 Standard Edition A
    return 1;                    // 4.10.1998: Windows 98 Standard Edition
}

} // namespace

int OSTypeOf(const OSVERSIONINFOA& v)
{
    switch (v.dwPlatformId) {
    case VER_PLATFORM_WIN32_WINDOWS: {
        // The low word of the build number is the build; the high word repeats the version.
        const unsigned build = LOWORD(v.dwBuildNumber);
        const char letter = ReleaseLetter(v.szCSDVersion);
        if (v.dwMajorVersion == 4 && v.dwMinorVersion < 10) return Windows95(build, letter);
        if (v.dwMajorVersion == 4 && v.dwMinorVersion < 90) return Windows98(build, letter);
        return 12; // 4.90.3000: Windows ME
    }
    case VER_PLATFORM_WIN32_NT:
        if (v.dwMajorVersion < 5) return 10; // 3.51, 4.0.1381: Windows NT
        if (v.dwMajorVersion == 5) {
            if (v.dwMinorVersion == 0) return 11; // 5.0.2195: Windows 2000
            if (v.dwMinorVersion == 1) return 13; // 5.1.2600: Windows XP
            return 14;                            // 5.2: Windows Server 2003, XP x64
        }
        if (v.dwMajorVersion == 6 && v.dwMinorVersion == 0) return 15; // Vista, Server 2008
        if (v.dwMajorVersion == 6 && v.dwMinorVersion == 1) return 16; // Windows 7
        // Windows 8 reports 6.2, and so do its successors to a program that declares no
        // later system in a manifest.
        if (v.dwMajorVersion == 6 && v.dwMinorVersion == 2) return 17;
        return 18;     // 6.3 and later: 8.1, 10, 11
    default: return 0; // Win32s or unknown
    }
}

int RunningOSType()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!::GetVersionExA(&version)) return 0;
    return OSTypeOf(version);
}

std::string OSTypeName(int osType)
{
    // 1 to 13 as the tips' validity list names them; 14 to 18 are newer than any tip.
    static const char* const kNewer[] = {"Windows Server 2003", "Windows Vista", "Windows 7", "Windows 8",
                                         "Windows 8.1 or later"};
    constexpr int kNamed = static_cast<int>(std::size(OSTypes::kNames));
    if (osType < OSTypes::kFirst || osType > OSTypes::kLast) return "unknown";
    return osType <= kNamed ? OSTypes::kNames[osType - 1] : kNewer[osType - kNamed - 1];
}

} // namespace Host
