#include "template/HostBroadcast.h"
#include "template/ModuleState.h"
#include "toolkit/base/Exceptions.h"

namespace HostBroadcast {

namespace {
// Registered messages have numbers from here on; below lie the system's and the programs'
// own (WM_NULL, WM_USER, WM_APP), which the host's message must never be taken for.
constexpr UINT kFirstRegisteredMessage = 0xC000;
} // namespace

void Register()
{
    const UINT id = ::RegisterWindowMessageA(HostMessage::kName);
    if (id > 0xFFFF) throw tk::ERangeError();
    ModuleState::MessageId = id >= kFirstRegisteredMessage ? static_cast<std::uint16_t>(id) : 0;
}

bool Registered() { return ModuleState::MessageId != 0; }

void Send(WPARAM command, LPARAM value)
{
    if (Registered()) HostMessage::Broadcast(ModuleState::MessageId, command, value);
}

} // namespace HostBroadcast
