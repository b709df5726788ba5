#include "tests/support/ChildProcess.h"

#include <cstdio>

namespace ts {
namespace {

std::string ProgramPath()
{
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, sizeof exe);
    return exe;
}

// Wine's settings for one program, by the name of its file.
std::string AppDefaultsKey()
{
    std::string name = ProgramPath();
    name.erase(0, name.find_last_of("\\/") + 1);
    return "Software\\Wine\\AppDefaults\\" + name;
}

} // namespace

DWORD RunChildProcess(const std::string& gtestFilter, const char* variable, const char* value, DWORD timeoutMs)
{
    std::string command = "\"";
    command.append(ProgramPath()).append("\" --gtest_filter=").append(gtestFilter);
    ::SetEnvironmentVariableA(variable, value);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    si.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi{};
    std::fflush(stdout);
    const BOOL started =
        ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    ::SetEnvironmentVariableA(variable, nullptr);
    if (!started) return kChildNotStarted;
    if (::WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_TIMEOUT) {
        ::TerminateProcess(pi.hProcess, kChildTimedOut);
        ::WaitForSingleObject(pi.hProcess, 5000);
    }
    DWORD code = kChildNotStarted;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return code;
}

WineVersionOverride::WineVersionOverride(const char* version) : m_saved(AppDefaultsKey())
{
    WriteRegistryValue(AppDefaultsKey(), "Version", String(version));
}

ResolutionOverride::ResolutionOverride(DWORD dpi) { WriteRegistryValue(kKey, kValue, Dword(dpi)); }

} // namespace ts
