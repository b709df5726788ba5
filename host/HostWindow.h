#pragma once
// The host's window: the list of tips found beside the program, a language choice, a Save
// button and a status line. The chosen tip's window stands beside it and follows it;
// host and module talk through the five exports and the broadcast message
// (contract/HostMessage.h).
#include "host/Options.h"
#include "host/script/Report.h"
#include "host/script/Script.h"
#include "host/Texts.h"
#include "host/tips/Catalog.h"
#include "host/tips/LoadedTip.h"
#include "toolkit/base/Handles.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Host {

class HostWindow final : public ScriptHost {
public:
    // Creates the window (not yet shown); throws std::runtime_error when it cannot.
    HostWindow(HINSTANCE instance, Options options);
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    // Shows the window, opens the first tip and runs until the window is closed; the
    // result is the program's exit code (1 when a step of a scripted session failed).
    int Run();

    HWND MainWindow() const override { return m_hwnd; }
    HWND TipWindow() const override { return m_tip ? m_tip->Window() : nullptr; }
    HWND HostControl(const std::string& name) const override;
    std::string State() const override;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    HWND AddControl(const char* cls, DWORD style, int x, int y, int w, int h, int id, DWORD exStyle = 0);
    void CreateControls();
    void ApplyLanguage();
    const Texts& T() const { return TextsIn(m_language); }

    bool OpenTip(std::size_t index);
    bool CloseTip(bool ask); // false when the user keeps the tip open
    // Runs `action`, which may close the tip, from the host's own message loop: a request
    // may come while a call into the module has not returned (a window message or a step
    // of a script handled inside the module's modal box), and the module's code must not
    // be freed or unloaded under it.
    void Later(std::function<void()> action);
    void RunLater();
    bool Save();
    void ChooseTip();
    void ChooseLanguage(int language);
    void OnHostMessage(WPARAM command, LPARAM value);
    void Broadcast(WPARAM command, LPARAM value) const;
    void FollowMove() const;
    void UpdateState();
    void SetStatus(const std::string& text);

    HINSTANCE m_instance;
    Options m_options;
    std::string m_folder = ProgramFolder();
    std::vector<Tip> m_tips = FindTips(m_folder);
    int m_language;
    int m_osType;
    UINT m_message;
    Report m_report;
    tk::UniqueFont m_font;
    tk::UniqueWindow m_window; // until the window destroys itself on close
    HWND m_hwnd = nullptr;
    HWND m_labelTips = nullptr, m_list = nullptr, m_hint = nullptr, m_group = nullptr, m_system = nullptr;
    HWND m_save = nullptr, m_status = nullptr;
    HWND m_radio[2] = {};
    std::unique_ptr<LoadedTip> m_tip;
    std::unique_ptr<Script> m_script;
    std::vector<std::function<void()>> m_later;
    std::string m_reportedState;
};

} // namespace Host
