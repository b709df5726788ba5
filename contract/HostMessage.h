#pragma once
// The window message that host and tip modules exchange by broadcast to every top-level
// window: registered by name, a command or notice in WParam, its value in LParam. Neither
// may have the top bit set, nor, on the 64-bit build, more than 32 bits.
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

// How long a broadcast waits for one window of another thread to handle the message.
inline constexpr UINT kAnswerTimeoutMs = 3000;

// Sends `message` (the number "Kelvamo" was registered as) to every top-level window, so
// that a party may answer inside the call, as the tip window does when it closes on a
// host's answer to its notice. Each window of the calling thread, and each responsive one
// of another thread, has handled it when the call returns; a window that does not answer
// within kAnswerTimeoutMs is passed over, and one that Windows already counts as hung at
// once, so that no window of another program can hold the sender.
void Broadcast(UINT message, WPARAM command, LPARAM value);

} // namespace HostMessage
