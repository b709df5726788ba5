#pragma once
// Which Windows the host runs on, as the OSType number that tip modules are given: bit
// n-1 of a tip's OSMask stands for OSType n.
#include <windows.h>

#include <string>

namespace Host {

// The OSType for a version as GetVersionExA reports it; 0 for a system no tip knows
// (Win32s, an unknown platform).
int OSTypeOf(const OSVERSIONINFOA& version);

// The OSType of the running system; 0 when the version cannot be read.
int RunningOSType();

// The system's name for OSType 1 to 18; "unknown" otherwise.
std::string OSTypeName(int osType);

// The OSMask bit of an OSType: 1..18 give bits 0..17, anything else none.
inline unsigned OSBit(int osType)
{
    return osType >= 1 && osType <= 18 ? 1u << (osType - 1) : 0u;
}

} // namespace Host
