#include "template/HostMessage.h"
#include "template/ModuleState.h"
#include "toolkit/Exceptions.h"

namespace HostMessage {

void Register()
{
    const UINT id = ::RegisterWindowMessageA(kName);
    if (id > 0xFFFF) throw tk::ERangeError();
    ModuleState::MessageId = static_cast<std::uint16_t>(id);
}

void Broadcast(WPARAM command, LPARAM value)
{
    ::SendMessageA(HWND_BROADCAST, ModuleState::MessageId, command, value);
}

} // namespace HostMessage
