#pragma once
// The window message that host and tip modules exchange by broadcast to every top-level
// window: commands in WParam, values in LParam.
#include <windows.h>

namespace HostMessage {

inline constexpr char kName[] = "Kelvamo";

// Commands a tip window receives.
inline constexpr WPARAM kClose = 0;
inline constexpr WPARAM kSetLeft = 10;
inline constexpr WPARAM kSetTop = 11;
inline constexpr WPARAM kSetWidth = 12;
inline constexpr WPARAM kSetHeight = 13;
inline constexpr WPARAM kAccepted = 100;
inline constexpr WPARAM kShow = 200;
// Notices a tip module sends.
inline constexpr WPARAM kSwitchWindow = 200;
inline constexpr WPARAM kSaved = 9999;

// Registers the message and stores its number in ModuleState::MessageId; a number that
// does not fit 16 bits raises a range error.
void Register();

// Sends the message to every top-level window; returns when all have handled it.
void Broadcast(WPARAM command, LPARAM value);

} // namespace HostMessage
