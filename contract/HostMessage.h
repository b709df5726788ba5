#pragma once
// The window message that host and tip modules exchange by broadcast to every top-level
// window: registered by name, a command or notice in WParam, its value in LParam. Neither
// may have the top bit set.
#include <windows.h>

namespace HostMessage {

inline constexpr char kName[] = "Kelvamo";

// Commands a tip window obeys.
inline constexpr WPARAM kClose = 0;    // close and destroy itself
inline constexpr WPARAM kSetLeft = 10; // left edge; 0 becomes 1
inline constexpr WPARAM kSetTop = 11;  // top edge; 0 becomes 1
inline constexpr WPARAM kSetWidth = 12;
inline constexpr WPARAM kSetHeight = 13;
inline constexpr WPARAM kAccepted = 100; // known, and nothing to do
inline constexpr WPARAM kShow = 200;

// Notices a tip module sends.
inline constexpr WPARAM kSwitchWindow = 200; // the user asks for the host's window (F12)
inline constexpr WPARAM kSaved = 9999;       // settings were saved; LParam says how:
inline constexpr LPARAM kSavedDefaults = 1;  //   the defaults had been restored (ModulNr 1)
inline constexpr LPARAM kSavedChanges = 2;   //   otherwise

} // namespace HostMessage
