#include "toolkit/system/Dialogs.h"
#include "toolkit/base/Application.h"

#include <windows.h>

namespace tk {

namespace {

HWND DialogOwner()
{
    HWND owner = ::GetActiveWindow();
    return owner ? owner : ::GetForegroundWindow();
}

int Box(const std::string& text, const char* title, UINT flags)
{
    return ::MessageBoxA(DialogOwner(), text.c_str(), title, flags | MB_TASKMODAL);
}

} // namespace

void ShowMessage(const std::string& text) { Box(text, ApplicationTitle().c_str(), MB_OK); }

bool ConfirmYesNo(const std::string& text) { return Box(text, "Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES; }

void ShowErrorReport(const std::string& text) { Box(text, ApplicationTitle().c_str(), MB_OK | MB_ICONSTOP); }

} // namespace tk
