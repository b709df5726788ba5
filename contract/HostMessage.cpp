#include "contract/HostMessage.h"

namespace HostMessage {

void Broadcast(UINT message, WPARAM command, LPARAM value)
{
    // SMTO_NORMAL: while it waits, the sender still handles what other threads send it.
    ::SendMessageTimeoutA(HWND_BROADCAST, message, command, value, SMTO_NORMAL | SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                          nullptr);
}

} // namespace HostMessage
