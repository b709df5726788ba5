// The restart prompt that a tip shows after saving settings that Windows reads only when
// it starts, and the shutdown privilege that Windows NT and its successors ask for.
#include "contract/OSTypes.h"
#include "template/MainTippU.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/base/Handles.h"
#include "toolkit/system/Dialogs.h"

namespace {

constexpr char kQuestion[] = "Um diese \xC4nderung zu aktivieren, ist ein Neustart des Systems erforderlich. "
                             "Soll der Neustart jetzt durchgef\xFChrt werden ?";
constexpr char kFailed[] = "Das System l\xE4\xDFt sich zur Zeit nicht neu starten. "
                           "Bitte f\xFChren Sie sp\xE4ter manuell einen Neustart durch";
constexpr char kShutdownPrivilege[] = "SeShutdownPrivilege";

} // namespace

// Asked also when the window ended while the settings were being saved: they are saved.
void TfrmTippTemplate::NeuStart()
{
    if (!tk::ConfirmYesNo(kQuestion)) return;
    const std::int32_t osType = Tag();
    bool restarting;
    // Windows NT and 2000 refuse a restart without the privilege.
    if (osType == OSTypes::kWindowsNT || osType == OSTypes::kWindows2000) {
        restarting = ExitWindowsWithPrivilege(EWX_REBOOT);
    } else {
        restarting = ::ExitWindowsEx(EWX_REBOOT, 0) != FALSE;
        // Windows XP, too, refuses the restart to a process without the privilege; the
        // systems that need none (95, 98, ME) succeed at the first call.
        if (!restarting && ::GetLastError() == ERROR_PRIVILEGE_NOT_HELD)
            restarting = ExitWindowsWithPrivilege(EWX_REBOOT);
    }
    if (restarting) Close();
    else tk::ShowMessage(kFailed);
}

bool TfrmTippTemplate::SetPrivilege(const char* name, bool enable, bool* wasEnabled)
{
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) return false;
    const tk::UniqueToken token(raw);

    static_assert(sizeof(TOKEN_PRIVILEGES) == 16, "a count and one privilege entry");
    TOKEN_PRIVILEGES request{};
    if (!::LookupPrivilegeValueA(nullptr, name, &request.Privileges[0].Luid)) return false;
    request.PrivilegeCount = 1;
    request.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    TOKEN_PRIVILEGES previous{};
    DWORD returnLength = 0;
    // Success without the privilege assigned (ERROR_NOT_ALL_ASSIGNED) counts as success:
    // the shutdown request then tells.
    if (!::AdjustTokenPrivileges(token.get(), FALSE, &request, sizeof previous, &previous, &returnLength)) return false;
    // The previous state lists the privilege when the call changed it (Windows) or set it
    // (Wine); not listed, it was as asked already, or not assigned.
    if (wasEnabled)
        *wasEnabled =
            previous.PrivilegeCount == 0 ? enable : (previous.Privileges[0].Attributes & SE_PRIVILEGE_ENABLED) != 0;
    return true;
}

bool TfrmTippTemplate::ExitWindowsWithPrivilege(std::int32_t flags)
{
    // Refused before the privilege is taken, so that it is never left enabled.
    if (flags < 0) throw tk::ERangeError();
    bool wasEnabled = false;
    if (!SetPrivilege(kShutdownPrivilege, true, &wasEnabled)) return false;
    const bool restarting = ::ExitWindowsEx(static_cast<UINT>(flags), 0) != FALSE;
    // The privilege goes back to what it was: a process that held it enabled keeps it.
    if (!wasEnabled) SetPrivilege(kShutdownPrivilege, false);
    return restarting;
}
