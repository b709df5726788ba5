#pragma once
// Stands in for the calls through which Tipp211.dll restarts Windows: ExitWindowsEx and
// the access-token calls are recorded, one line each, instead of made. The real
// ExitWindowsEx must never run in a test: under Wine it ends every process of the prefix
// that owns a window.
#include "host/script/ImportPatch.h"

#include <deque>
#include <string>
#include <vector>

namespace ts {

class ShutdownRecorder {
public:
    explicit ShutdownRecorder(HMODULE module);
    ~ShutdownRecorder();
    ShutdownRecorder(const ShutdownRecorder&) = delete;
    ShutdownRecorder& operator=(const ShutdownRecorder&) = delete;

    std::vector<std::string> calls;
    // The errors of the next ExitWindowsEx calls, 0 for success; when used up, each
    // call succeeds.
    std::deque<DWORD> exitErrors;
    bool tokenOpens = true;
    bool lookupWorks = true;
    // The token's shutdown privilege, enabled or not; AdjustTokenPrivileges sets it.
    bool privilegeEnabled = false;
    // Whether AdjustTokenPrivileges lists a privilege it left as it was in the previous
    // state, as Wine does; Windows lists only those it changed.
    bool listsUnchanged = true;

    void* originalCloseHandle = nullptr;

private:
    std::vector<Host::ImportPatch> m_patches;
};

} // namespace ts
