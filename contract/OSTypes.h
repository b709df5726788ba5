#pragma once
// The numbers by which a host tells a tip module the running Windows (OSType, 1 to 18),
// and the bit set of the systems a tip is valid for (OSMask): bit n-1 stands for OSType n.
#include <cstdint>

namespace OSTypes {

inline constexpr int kFirst = 1;
inline constexpr int kLast = 18;

// The systems whose restart needs the shutdown privilege, as a tip asks for it.
inline constexpr int kWindowsNT = 10;
inline constexpr int kWindows2000 = 11;

// The names of OSTypes 1 to 13, in the order of their bits, as a tip's validity list shows
// them. Later OSTypes are newer than any tip and have no name here.
inline constexpr const char* kNames[] = {
    "Windows 98 Standard Edition",
    "Windows 98 Standard Edition A",
    "Windows 98 Second Edition",
    "Windows 95",
    "Windows 95 A",
    "Windows 95 B",
    "Windows 95 B OEM Service Release 2",
    "Windows 95 B OEM Service Release 2.1",
    "Windows 95 C OEM Service Release 2.5 C",
    "Windows NT",
    "Windows 2000",
    "Windows 98 ME",
    "Windows XP",
};

// The OSMask bit of an OSType: 1..18 give bits 0..17, anything else none.
constexpr std::uint32_t Bit(int osType) { return osType >= kFirst && osType <= kLast ? 1u << (osType - 1) : 0u; }

} // namespace OSTypes
