#pragma once
// Another party on the desktop for the host window message: a top-level window of the
// test's own that registers "Kelvamo" as every party does, broadcasts commands with it and
// records each "Kelvamo" message it receives.
#include <windows.h>

#include <functional>
#include <vector>

namespace ts {

struct ReceivedMessage {
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const ReceivedMessage&) const = default;
};

class MessageParty {
public:
    // A hidden top-level window; `style` and `exStyle` as for CreateWindowExA.
    explicit MessageParty(DWORD style = WS_OVERLAPPEDWINDOW, DWORD exStyle = 0);
    ~MessageParty();
    MessageParty(const MessageParty&) = delete;
    MessageParty& operator=(const MessageParty&) = delete;

    HWND Window() const { return m_window; }
    // The number this party got for "Kelvamo".
    UINT MessageId() const { return m_messageId; }

    // Sends the message to every top-level window; returns when all have handled it.
    void Broadcast(WPARAM command, LPARAM value) const;

    const std::vector<ReceivedMessage>& Received() const { return m_received; }
    void Clear() { m_received.clear(); }
    // Runs for each received message, after it is recorded.
    std::function<void(const ReceivedMessage&)> OnReceive;

    // Moves this window directly below `window` in the z-order: a broadcast, which goes
    // down the z-order, then reaches `window` first and this party right after it.
    void PlaceBelow(HWND window) const;
    // Shows this window and makes it the foreground window.
    void ShowInFront() const;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    HWND m_window = nullptr;
    UINT m_messageId = 0;
    std::vector<ReceivedMessage> m_received;
};

// Position of `window` among the desktop's top-level windows, topmost first; -1 when it
// is not one of them.
int ZOrderIndex(HWND window);

} // namespace ts
