#pragma once
// What a host and a tip module (Tipp211.dll and its kin) agree on.
//
// Lifecycle: LoadLibrary -> ModulCreate (creates and shows the tip window) -> any number
// of ModulChanged, ModulNr and ModulSaveChanges -> ModulFree (destroys the window) ->
// FreeLibrary. ModulChanged and ModulNr may also be called before ModulCreate.
//
// Calling convention: on i686 the five exports use the register convention of the host's
// toolkit (the first three arguments in EAX, EDX and ECX, the rest pushed in argument
// order and removed by the callee, the result in EAX); on x86_64 they are plain functions
// of the platform's one convention. The arguments are the same, in the same order, on
// both. Texts are zero-terminated 8-bit strings (code page 1252) or null for an empty
// text; the module copies them at once. C++ exceptions never cross the boundary:
// ModulSaveChanges reports a failure as a structured exception with code kFailureCode
// whose one argument points at the failure's text. contract/ModuleCaller.h is the caller.
//
// The rest of the contract: the broadcast window message (HostMessage.h), the numbers of
// the Windows versions (OSTypes.h) and the settings key both read (Settings.h).
#include <windows.h>

namespace ModuleApi {

inline constexpr DWORD kFailureCode = 0xE0544950; // "TIP" with the customer bit set

// ModulChanged results.
inline constexpr int kUnchanged = 0;
inline constexpr int kChangedUnsaved = 1;
inline constexpr int kChangedSaved = 2;

// ModulNr results.
inline constexpr int kDefaultsRestored = 1;
inline constexpr int kDefaultsKept = 2;

} // namespace ModuleApi
