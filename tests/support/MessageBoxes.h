#pragma once
// Catches the MessageBoxA calls of one module while it lives: each box is recorded and
// shown for real, with its own modal loop, and answered from inside that loop, so a modal
// box never blocks a test. What happens while a box waits (re-entered handlers, the
// windows it disables, a window destroyed under it) happens as it does for a user.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "host/script/ImportPatch.h"

namespace ts {

class MessageBoxRecorder {
public:
    struct Box {
        HWND owner;
        std::string text;
        std::string caption;
        UINT flags;
        int answer; // what the caller got back
    };

    explicit MessageBoxRecorder(HMODULE importer = GetModuleHandleA(nullptr));
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    // The answer every following box gets (IDYES, IDNO, IDCANCEL, ...). 0, the default,
    // answers each box with its default button, as pressing Enter would: IDOK for MB_OK.
    void SetAnswer(int answer);

    // Runs inside each box's modal loop, once the box is on the screen and before it is
    // answered: a test acts there as a user or a host would while a modal box is open. The
    // box is answered after it, unless the action ended it (by destroying its owner, say).
    std::function<void(const Box&, HWND box)> OnBox;

    [[nodiscard]] const std::vector<Box>& Boxes() const { return m_boxes; }
    [[nodiscard]] std::vector<std::string> Texts() const;
    // The most boxes that were open at one time.
    [[nodiscard]] int MostOpen() const { return m_mostOpen; }
    void Clear();

    // Stands in for MessageBoxA in the patched module.
    static int WINAPI Fake(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);

private:
    int Record(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);
    int Show(const Box& box);

    HMODULE m_importer;
    Host::ImportPatch m_patch;
    int m_answer = 0;
    std::vector<Box> m_boxes;
    int m_open = 0;
    int m_mostOpen = 0;
};

// The button a box of these flags has focused first: what Enter would answer.
int DefaultButton(UINT flags);

} // namespace ts
