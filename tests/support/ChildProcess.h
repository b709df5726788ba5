#pragma once
// Settings that Wine reads once, when a process starts (the Windows version it reports,
// the screen's resolution): a test sets them, then runs this test program again as a
// child process that starts with them.
#include "tests/support/Registry.h"

#include <windows.h>

#include <string>

namespace ts {

// The longest a test waits for a program it started (a child test run, the host): only
// a hang takes that long, on the slowest machine too. It ends before the CTest entry's
// own time limit (cmake/TestTimeouts.cmake), so that the test reports the hang itself.
inline constexpr DWORD kChildDeadlineMs = 240000;

// Runs this test program again as a child process: only the tests matching `gtestFilter`,
// with the environment variable `variable` set to `value`. Returns the child's exit code
// (0 when its tests passed), or kChildNotStarted / kChildTimedOut.
inline constexpr DWORD kChildNotStarted = 73;
inline constexpr DWORD kChildTimedOut = 72;
DWORD RunChildProcess(const std::string& gtestFilter, const char* variable, const char* value,
                      DWORD timeoutMs = kChildDeadlineMs);

// Sets Wine's Windows version ("win98", "nt40"...) for this test program while it lives.
class WineVersionOverride {
public:
    explicit WineVersionOverride(const char* version);

private:
    SavedRegistryKey m_saved;
};

// Sets the screen's resolution for the processes started while it lives: Wine takes it
// from the desktop's LogPixels, which wins over HKEY_CURRENT_CONFIG\Software\Fonts.
class ResolutionOverride {
public:
    static constexpr char kKey[] = "Control Panel\\Desktop";
    static constexpr char kValue[] = "LogPixels";
    explicit ResolutionOverride(DWORD dpi);

private:
    SavedRegistryKey m_saved{kKey};
};

} // namespace ts
