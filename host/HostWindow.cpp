#include "host/HostWindow.h"
#include "contract/HostMessage.h"
#include "contract/ModuleContract.h"
#include "contract/OSTypes.h"
#include "host/LanguageStore.h"
#include "host/tips/OSType.h"

#include <commctrl.h>

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <utility>

namespace Host {

namespace {

constexpr char kTitle[] = "Sorvanti";
constexpr char kWindowClass[] = "Sorvanti";

// Both windows share a height: the host's client area is as high as a tip's.
constexpr SIZE kClientSize{300, 426};
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

constexpr UINT_PTR kStateTimer = 1;  // keeps the status line up to date with the module
constexpr UINT_PTR kScriptTimer = 2; // runs the steps of a scripted session
constexpr UINT kStateMs = 250;
constexpr UINT kScriptMs = 50;

enum ControlId { kList = 100, kSave, kGerman, kEnglish };

std::string Hex(unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

} // namespace

HostWindow::HostWindow(HINSTANCE instance, Options options)
    : m_instance(instance), m_options(std::move(options)),
      m_language(m_options.language >= 0 ? m_options.language : StoredLanguage()),
      m_osType(m_options.osType >= 0 ? m_options.osType : RunningOSType()),
      m_message(::RegisterWindowMessageA(HostMessage::kName))
{
    if (!m_options.report.empty()) m_report.Open(m_options.report);
    if (!m_options.steps.empty()) m_script = std::make_unique<Script>(std::move(m_options.steps), *this, m_report);

    // comctl32 before version 6 registers every class of its own here; the Ex form is not
    // on a bare Windows 95 or NT 4.0 (docs/compatibility.md).
    ::InitCommonControls();
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    ::RegisterClassA(&wc);

    RECT frame{0, 0, kClientSize.cx, kClientSize.cy};
    ::AdjustWindowRectEx(&frame, kFrameStyle, FALSE, 0);
    m_window.reset(::CreateWindowExA(0, kWindowClass, kTitle, kFrameStyle, 20, 20, frame.right - frame.left,
                                     frame.bottom - frame.top, nullptr, nullptr, instance, this));
    if (!m_window) throw std::runtime_error("the main window cannot be created");
    m_report.Line("system: OSType " + std::to_string(m_osType) + " (" + OSTypeName(m_osType) + ")");
}

HWND HostWindow::AddControl(const char* cls, DWORD style, int x, int y, int w, int h, int id, DWORD exStyle)
{
    HWND control = ::CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, m_hwnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), m_instance, nullptr);
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
    return control;
}

void HostWindow::CreateControls()
{
    // The tips' own font: Tahoma, 8 points at 96 pixels per inch.
    m_font.reset(::CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma"));
    m_labelTips = AddControl("STATIC", 0, 12, 12, 276, 16, 0);
    m_list = AddControl("LISTBOX", LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP, 12, 30, 276, 132, kList, WS_EX_CLIENTEDGE);
    m_hint = AddControl("STATIC", 0, 12, 170, 276, 56, 0);
    m_group = AddControl("BUTTON", BS_GROUPBOX, 12, 232, 276, 52, 0);
    m_radio[0] = AddControl("BUTTON", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 28, 254, 110, 20, kGerman);
    m_radio[1] = AddControl("BUTTON", BS_AUTORADIOBUTTON, 150, 254, 110, 20, kEnglish);
    ::SetWindowTextA(m_radio[0], "Deutsch");
    ::SetWindowTextA(m_radio[1], "English");
    m_system = AddControl("STATIC", 0, 12, 296, 276, 32, 0);
    m_save = AddControl("BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 12, 340, 100, 26, kSave);
    m_status = AddControl(STATUSCLASSNAMEA, 0, 0, 0, 0, 0, 0);
    const int parts[] = {150, -1};
    ::SendMessageA(m_status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

void HostWindow::ApplyLanguage()
{
    ::SetWindowTextA(m_labelTips, T().tips);
    ::SetWindowTextA(m_group, T().language);
    ::SetWindowTextA(m_save, T().save);
    ::SendMessageA(m_radio[m_language], BM_SETCHECK, BST_CHECKED, 0);
    ::SendMessageA(m_radio[1 - m_language], BM_SETCHECK, BST_UNCHECKED, 0);
    const std::string system = "System: " + OSTypeName(m_osType) + " (OSType " + std::to_string(m_osType) + ")";
    ::SetWindowTextA(m_system, system.c_str());

    const LRESULT selected = ::SendMessageA(m_list, LB_GETCURSEL, 0, 0);
    ::SendMessageA(m_list, LB_RESETCONTENT, 0, 0);
    for (const Tip& tip : m_tips) {
        const std::string line = std::to_string(tip.nr) + "   " + tip.Caption(m_language);
        ::SendMessageA(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    ::SendMessageA(m_list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    const LRESULT shown = m_tip ? static_cast<LRESULT>(m_tip->Index()) : selected;
    const std::string hint = shown >= 0 && static_cast<std::size_t>(shown) < m_tips.size()
                                 ? m_tips[static_cast<std::size_t>(shown)].Hint(m_language)
                                 : std::string(m_tips.empty() ? T().noTips : "");
    ::SetWindowTextA(m_hint, hint.c_str());
}

HWND HostWindow::HostControl(const std::string& name) const
{
    if (name == "Save") return m_save;
    if (name == "Deutsch") return m_radio[0];
    if (name == "English") return m_radio[1];
    return nullptr;
}

std::string HostWindow::State() const
{
    if (!m_tip) return "no tip open";
    return "ModulChanged " + std::to_string(m_tip->Changed()) + ", ModulNr " + std::to_string(m_tip->Nr());
}

void HostWindow::SetStatus(const std::string& text)
{
    ::SendMessageA(m_status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// The status line's right part follows the module's state; a change goes to the report.
void HostWindow::UpdateState()
{
    const std::string state = State();
    ::SendMessageA(m_status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(state.c_str()));
    if (state != m_reportedState && m_tip) m_report.Line("state: " + state);
    m_reportedState = state;
}

// A window that hangs in another program does not stop the host.
void HostWindow::Broadcast(WPARAM command, LPARAM value) const { HostMessage::Broadcast(m_message, command, value); }

// The tip window stands at the host window's right edge, top aligned.
void HostWindow::FollowMove() const
{
    if (!m_tip || ::IsIconic(m_hwnd)) return;
    RECT r;
    ::GetWindowRect(m_hwnd, &r);
    // Values with the top bit set are refused by the tips: a window off the screen's
    // left or top edge puts its tip at 0.
    Broadcast(HostMessage::kSetLeft, r.right > 0 ? r.right : 0);
    Broadcast(HostMessage::kSetTop, r.top > 0 ? r.top : 0);
}

bool HostWindow::OpenTip(std::size_t index)
{
    const Tip& tip = m_tips[index];
    m_tip = LoadedTip::Load(m_folder, tip, index, m_language, m_script ? &m_report : nullptr);
    if (!m_tip) {
        SetStatus(tip.file + " " + T().cannotLoad);
        m_report.Line("error: " + tip.file + " cannot be loaded");
        return false;
    }
    ::SendMessageA(m_list, LB_SETCURSEL, index, 0);
    ApplyLanguage();

    RECT host;
    ::GetWindowRect(m_hwnd, &host);
    m_report.Line("open " + tip.file + ": tip " + std::to_string(tip.nr) + ", language " + std::to_string(m_language) +
                  ", OSType " + std::to_string(m_osType) + ", OSMask " + Hex(tip.osMask));
    m_tip->Create(host.right, host.top, m_osType, m_language);
    if (!TipWindow()) m_report.Line("error: the tip window did not open");
    SetStatus(tip.osMask & OSTypes::Bit(m_osType) ? T().ready : T().notValid);
    UpdateState();
    return true;
}

bool HostWindow::CloseTip(bool ask)
{
    if (!m_tip) return true;
    if (ask && m_tip->Changed() == ModuleApi::kChangedUnsaved) {
        const std::string question = T().askSave + m_tips[m_tip->Index()].Caption(m_language) + T().askSaveEnd;
        const int answer = ::MessageBoxA(m_hwnd, question.c_str(), kTitle, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL) return false;
        if (answer == IDYES && !Save()) return false;
    }
    m_report.Line("closing " + m_tips[m_tip->Index()].file + ": " + State());
    Broadcast(HostMessage::kClose, 0);
    const int freed = m_tip->Free();
    m_report.Line("ModulFree " + std::to_string(freed));
    m_tip.reset();
    ::SendMessageA(m_status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(""));
    m_reportedState.clear();
    return true;
}

bool HostWindow::Save()
{
    if (!m_tip) return false;
    m_report.Line("save");
    const ModuleApi::Failure failure = m_tip->Save();
    UpdateState();
    if (!failure.raised) return true;
    SetStatus(T().notSaved);
    m_report.Line("save failed: " + failure.text);
    ::MessageBoxA(m_hwnd, failure.text.c_str(), kTitle, MB_OK | MB_ICONSTOP);
    return false;
}

void HostWindow::Later(std::function<void()> action)
{
    m_later.push_back(std::move(action));
    // Wakes the loop. Inside a module's box, that box's loop takes the message; the host's
    // loop then comes round as soon as the module's call has returned.
    ::PostMessageA(m_hwnd, WM_NULL, 0, 0);
}

void HostWindow::RunLater()
{
    // What an action asks for while it runs waits for the next round; once the window is
    // gone, nothing is left to do.
    for (const std::function<void()>& action : std::exchange(m_later, {}))
        if (::IsWindow(m_hwnd)) action();
}

void HostWindow::ChooseTip()
{
    const LRESULT selected = ::SendMessageA(m_list, LB_GETCURSEL, 0, 0);
    if (selected < 0 || (m_tip && m_tip->Index() == static_cast<std::size_t>(selected))) return;
    if (!CloseTip(true)) {
        ::SendMessageA(m_list, LB_SETCURSEL, m_tip->Index(), 0);
        return;
    }
    OpenTip(static_cast<std::size_t>(selected));
}

// A tip takes its language when it is created: it is opened anew in the other one.
void HostWindow::ChooseLanguage(int language)
{
    if (language == m_language) return;
    const std::optional<std::size_t> open = m_tip ? std::optional(m_tip->Index()) : std::nullopt;
    if (!CloseTip(true)) {
        ApplyLanguage(); // the radio buttons show the language that stays
        return;
    }
    m_language = language;
    StoreLanguage(language);
    m_report.Line(std::string("language ").append(std::to_string(language)));
    ApplyLanguage();
    SetStatus(T().ready);
    if (open) OpenTip(*open);
}

void HostWindow::OnHostMessage(WPARAM command, LPARAM value)
{
    switch (command) {
    case HostMessage::kSaved: {
        const bool defaults = value == HostMessage::kSavedDefaults;
        SetStatus(defaults ? T().savedDefaults : T().saved);
        m_report.Line(std::string("notice 9999: saved") + (defaults ? ", defaults restored" : ""));
        break;
    }
    case HostMessage::kSwitchWindow:
        // The tips show themselves; the host comes to the front with them.
        if (::IsIconic(m_hwnd)) ::ShowWindow(m_hwnd, SW_RESTORE);
        ::SetForegroundWindow(m_hwnd);
        m_report.Line("notice 200: switch windows");
        break;
    default: break; // the host's own commands to the tips come back to it too
    }
}

LRESULT CALLBACK HostWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<HostWindow*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->m_hwnd = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<HostWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return self ? self->Handle(msg, wp, lp) : ::DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT HostWindow::Handle(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == m_message && m_message != 0) {
        OnHostMessage(wp, lp);
        return 0;
    }
    switch (msg) {
    case WM_CREATE:
        CreateControls();
        ApplyLanguage();
        return 0;
    case WM_MOVE: FollowMove(); return 0;
    case WM_TIMER:
        if (wp == kStateTimer) UpdateState();
        if (wp == kScriptTimer && m_script) m_script->Tick();
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case kList:
            if (HIWORD(wp) == LBN_SELCHANGE) Later([this] { ChooseTip(); });
            break;
        case kSave:
            if (HIWORD(wp) == BN_CLICKED) Save();
            break;
        case kGerman:
        case kEnglish:
            if (HIWORD(wp) == BN_CLICKED)
                Later([this, language = LOWORD(wp) == kEnglish ? 1 : 0] { ChooseLanguage(language); });
            break;
        default: break;
        }
        return 0;
    case WM_CLOSE:
        Later([this] {
            if (CloseTip(true)) ::DestroyWindow(m_hwnd);
        });
        return 0;
    case WM_DESTROY:
        ::KillTimer(m_hwnd, kStateTimer);
        ::KillTimer(m_hwnd, kScriptTimer);
        (void)m_window.release(); // destroyed by now
        ::PostQuitMessage(0);
        return 0;
    default: return ::DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}

int HostWindow::Run()
{
    ::ShowWindow(m_hwnd, SW_SHOW);
    ::UpdateWindow(m_hwnd);
    SetStatus(m_tips.empty() ? T().noTips : T().ready);
    std::size_t first = 0;
    for (std::size_t i = 0; i < m_tips.size(); ++i)
        if (m_tips[i].nr == m_options.tip) first = i;
    if (!m_tips.empty()) OpenTip(first);
    else m_report.Line("error: no tips found in " + m_folder);
    ::SetTimer(m_hwnd, kStateTimer, kStateMs, nullptr);
    if (m_script) ::SetTimer(m_hwnd, kScriptTimer, kScriptMs, nullptr);

    MSG msg;
    for (;;) {
        // No call into the module is running here.
        RunLater();
        if (::GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
        if (::IsDialogMessageA(m_hwnd, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    // Closed from outside (the session ends): the tip goes before its library.
    CloseTip(false);
    const bool failed = m_script && m_script->Failed();
    m_report.Line(failed ? "end: a step failed" : "end");
    return failed ? 1 : 0;
}

} // namespace Host
