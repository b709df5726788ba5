#pragma once
// Catches the MessageBoxA calls of one module while it lives: each box is recorded and
// answered at once, nothing is shown, so a modal box never blocks a test.
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

    // Runs while each box waits for its answer, after it was recorded: a test acts there
    // as a user or a host would while a modal box is open.
    std::function<void(const Box&)> OnBox;

    [[nodiscard]] const std::vector<Box>& Boxes() const { return m_boxes; }
    [[nodiscard]] std::vector<std::string> Texts() const;
    void Clear();

    // Stands in for MessageBoxA in the patched module.
    static int WINAPI Fake(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);

private:
    int Record(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);

    HMODULE m_importer;
    Host::ImportPatch m_patch;
    int m_answer = 0;
    std::vector<Box> m_boxes;
};

// The button a box of these flags has focused first: what Enter would answer.
int DefaultButton(UINT flags);

} // namespace ts
