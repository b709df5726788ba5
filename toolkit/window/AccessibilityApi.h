#pragma once
// The system's accessibility functions, looked up when first needed: oleacc.dll came with
// Active Accessibility (Windows 98, 2000 and XP; on 95 and NT 4.0 only where it was
// installed), and NotifyWinEvent is in user32 only where it did. Without them a window
// answers no client and tells none: it works as it did before.
#include <windows.h>
#include <oleacc.h>

#include <string>

namespace tk::accessibility {

// oleacc.dll, loaded on the first call. It stays loaded for the process's life: the
// standard objects that clients were given live in it, and nothing says when the last of
// them goes.
bool Available();
// CreateStdAccessibleObject; E_NOTIMPL without oleacc.
HRESULT CreateStandardObject(HWND window, LONG objectId, REFIID iid, void** object);
// LresultFromObject: the reference the client will take over, or the failure as a
// (negative) HRESULT.
LRESULT ResultFromObject(REFIID iid, WPARAM wparam, IUnknown* object);
// A BSTR of an ANSI text (oleaut32's SysAllocStringLen, which comes with oleacc), for the
// caller to free; null when it cannot be made.
BSTR AllocString(const std::string& text);
// CoDisconnectObject: clients in other apartments or processes lose the object; their
// calls fail with RPC_E_DISCONNECTED from then on.
void DisconnectClients(IUnknown* object);
// NotifyWinEvent, where user32 has it.
void NotifyEvent(DWORD event, HWND window, LONG objectId, LONG childId);

} // namespace tk::accessibility
