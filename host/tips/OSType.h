#pragma once
// Which Windows the host runs on, as the OSType number that tip modules are given
// (contract/OSTypes.h).
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

} // namespace Host
