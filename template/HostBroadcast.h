#pragma once
// The module's side of the host window message (contract/HostMessage.h): registered when
// the library loads, broadcast to every top-level window.
#include "contract/HostMessage.h"

namespace HostBroadcast {

// Registers the message and stores its number in ModuleState::MessageId; a number that
// does not fit 16 bits raises a range error.
void Register();

// Sends the message to every top-level window; returns when all have handled it.
void Send(WPARAM command, LPARAM value);

} // namespace HostBroadcast
