#include "tests/support/ShutdownRecorder.h"

#include <cstdio>

namespace ts {
namespace {

ShutdownRecorder* g_recorder = nullptr;
HANDLE const kToken = reinterpret_cast<HANDLE>(0x7A70);
constexpr DWORD kShutdownLuid = 19;

std::string Hex(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%lX", static_cast<unsigned long>(value));
    return text;
}

BOOL WINAPI FakeExitWindowsEx(UINT flags, DWORD reason)
{
    g_recorder->calls.push_back("ExitWindowsEx " + Hex(flags) + " " + Hex(reason));
    DWORD error = 0;
    if (!g_recorder->exitErrors.empty()) {
        error = g_recorder->exitErrors.front();
        g_recorder->exitErrors.pop_front();
    }
    ::SetLastError(error);
    return error == 0;
}

BOOL WINAPI FakeOpenProcessToken(HANDLE process, DWORD access, HANDLE* token)
{
    g_recorder->calls.push_back("OpenProcessToken " + Hex(access) +
                                (process == ::GetCurrentProcess() ? " own process" : " other process"));
    if (!g_recorder->tokenOpens) return FALSE;
    *token = kToken;
    return TRUE;
}

BOOL WINAPI FakeLookupPrivilegeValueA(const char* system, const char* name, LUID* luid)
{
    g_recorder->calls.push_back(std::string("LookupPrivilegeValueA ") + (system ? system : "local") + " " + name);
    if (!g_recorder->lookupWorks) return FALSE;
    *luid = {kShutdownLuid, 0};
    return TRUE;
}

BOOL WINAPI FakeAdjustTokenPrivileges(HANDLE token, BOOL disableAll, TOKEN_PRIVILEGES* state, DWORD length,
                                      TOKEN_PRIVILEGES* previous, DWORD* returnLength)
{
    const bool ours =
        token == kToken && state && state->PrivilegeCount == 1 && state->Privileges[0].Luid.LowPart == kShutdownLuid;
    g_recorder->calls.push_back(
        "AdjustTokenPrivileges " + std::string(ours ? "shutdown" : "other") + (disableAll ? " all" : "") +
        " attributes " + Hex(state ? state->Privileges[0].Attributes : 0) + " buffer " + std::to_string(length) +
        (previous ? "" : " no previous") + (returnLength && *returnLength == 0 ? "" : " length not 0"));
    if (!ours) return TRUE;
    const bool enable = (state->Privileges[0].Attributes & SE_PRIVILEGE_ENABLED) != 0;
    const bool listed = enable != g_recorder->privilegeEnabled || g_recorder->listsUnchanged;
    if (previous && length >= sizeof(TOKEN_PRIVILEGES)) {
        previous->PrivilegeCount = listed ? 1 : 0;
        previous->Privileges[0] = {state->Privileges[0].Luid,
                                   g_recorder->privilegeEnabled ? DWORD{SE_PRIVILEGE_ENABLED} : 0};
        if (returnLength) *returnLength = listed ? sizeof(TOKEN_PRIVILEGES) : sizeof(DWORD);
    }
    g_recorder->privilegeEnabled = enable;
    return TRUE;
}

BOOL WINAPI FakeCloseHandle(HANDLE handle)
{
    if (handle != kToken) return reinterpret_cast<BOOL(WINAPI*)(HANDLE)>(g_recorder->originalCloseHandle)(handle);
    g_recorder->calls.push_back("CloseHandle token");
    return TRUE;
}

} // namespace

ShutdownRecorder::ShutdownRecorder(HMODULE module)
{
    g_recorder = this;
    auto patch = [&](const char* dll, const char* name, void* fake) {
        m_patches.emplace_back(module, dll, name, fake);
        return m_patches.back().Original();
    };
    patch("user32.dll", "ExitWindowsEx", reinterpret_cast<void*>(&FakeExitWindowsEx));
    patch("advapi32.dll", "OpenProcessToken", reinterpret_cast<void*>(&FakeOpenProcessToken));
    patch("advapi32.dll", "LookupPrivilegeValueA", reinterpret_cast<void*>(&FakeLookupPrivilegeValueA));
    patch("advapi32.dll", "AdjustTokenPrivileges", reinterpret_cast<void*>(&FakeAdjustTokenPrivileges));
    originalCloseHandle = patch("kernel32.dll", "CloseHandle", reinterpret_cast<void*>(&FakeCloseHandle));
}

ShutdownRecorder::~ShutdownRecorder()
{
    m_patches.clear();
    g_recorder = nullptr;
}

} // namespace ts
