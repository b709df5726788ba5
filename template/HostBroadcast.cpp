#include "template/HostBroadcast.h"
#include "template/ModuleState.h"
#include "toolkit/base/Exceptions.h"

namespace HostBroadcast {

void Register()
{
    const UINT id = ::RegisterWindowMessageA(HostMessage::kName);
    if (id > 0xFFFF) throw tk::ERangeError();
    ModuleState::MessageId = static_cast<std::uint16_t>(id);
}

void Send(WPARAM command, LPARAM value)
{
    ::SendMessageA(HWND_BROADCAST, ModuleState::MessageId, command, value);
}

} // namespace HostBroadcast
