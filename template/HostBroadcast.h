#pragma once
// The module's side of the host window message (contract/HostMessage.h): registered when
// the library loads, broadcast to every top-level window.
#include "contract/HostMessage.h"

namespace HostBroadcast {

// Registers the message and stores its number in ModuleState::MessageId; a number that
// does not fit 16 bits raises a range error. A registration that fails (0, when the atom
// table is full) leaves the module without a number: MessageId stays 0, so that no
// system message (0 is WM_NULL) is ever taken for the host's.
void Register();

// Whether the module has a number for the message; without one it obeys no command and
// sends no notice.
bool Registered();

// Sends the message to every top-level window (HostMessage::Broadcast): the tip window and
// every window that answers have handled it when the call returns; one that hangs is
// passed over. Sends nothing while the module has no number.
void Send(WPARAM command, LPARAM value);

} // namespace HostBroadcast
