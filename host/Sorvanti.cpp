// Sorvanti.exe, the host program of the tip modules: a window with the list of tips found
// beside the program, a language choice, a Save button and a status line. The chosen tip
// module is loaded and its window shown beside the host window; host and module talk
// through the five exports (contract/ModuleCaller.h) and the broadcast message "Kelvamo".
//
//   Sorvanti.exe [--tip NR] [--language 0|1] [--ostype N] [--report FILE] [STEP...]
//
// --tip opens that tip first (else the first in the list), --language and --ostype
// replace the stored language and the running system's OSType for this run, --report
// writes what happens to FILE. STEPs make a scripted session (host/Script.h).
#include "contract/HostMessage.h"
#include "contract/ModuleCaller.h"
#include "contract/OSTypes.h"
#include "contract/Settings.h"
#include "host/Catalog.h"
#include "host/HostString.h"
#include "host/OSType.h"
#include "host/Script.h"
#include "host/WindowLookup.h"
#include "host/ImportPatch.h"
#include "toolkit/Handles.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace Host {

namespace {

constexpr char kLanguageValue[] = "Language";
constexpr char kTitle[] = "Sorvanti";
constexpr char kWindowClass[] = "Sorvanti";

// Both windows share a height: the host's client area is as high as a tip's.
constexpr int kClientWidth = 300;
constexpr int kTipClientWidth = 292;
constexpr int kClientHeight = 426;
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

constexpr UINT_PTR kStateTimer = 1;  // keeps the status line up to date with the module
constexpr UINT_PTR kScriptTimer = 2; // runs the steps of a scripted session
constexpr UINT kStateMs = 250;
constexpr UINT kScriptMs = 50;

enum ControlId { kList = 100, kSave, kGerman, kEnglish };

struct Texts {
    const char* tips;
    const char* language;
    const char* save;
    const char* ready;
    const char* notValid;
    const char* saved;
    const char* savedDefaults;
    const char* notSaved;
    const char* askSave; // followed by the tip's caption and a question
    const char* askSaveEnd;
    const char* noTips;
    const char* cannotLoad;
};

const Texts kTexts[2] = {
    {"Tipps", "Sprache", "Speichern", "Bereit", "Gilt nicht f\xFCr dieses System", "Gespeichert",
     "Gespeichert, Standardwerte", "Nicht gespeichert", "Die \xC4nderungen an \"", "\" sind nicht gespeichert. Jetzt speichern?",
     "Keine Tipps gefunden", "l\xE4sst sich nicht laden"},
    {"Tips", "Language", "Save", "Ready", "Not valid for this system", "Saved", "Saved, defaults restored",
     "Not saved", "The changes to \"", "\" are not saved. Save them now?", "No tips found", "cannot be loaded"},
};

struct FreeLibraryHandle {
    void operator()(HMODULE h) const { ::FreeLibrary(h); }
};
using UniqueLibrary = tk::UniqueHandle<tk::NullHandleTraits<HMODULE, FreeLibraryHandle>>;

int StoredLanguage()
{
    HKEY raw = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, Settings::kKey, 0, KEY_READ, &raw) != ERROR_SUCCESS) return 0;
    const tk::UniqueRegKey key(raw);
    DWORD value = 0, type = 0, size = sizeof value;
    if (::RegQueryValueExA(key.get(), kLanguageValue, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return 0;
    return value == 1 ? 1 : 0;
}

void StoreLanguage(int language)
{
    HKEY raw = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, Settings::kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &raw, nullptr) !=
        ERROR_SUCCESS)
        return;
    const tk::UniqueRegKey key(raw);
    const DWORD value = static_cast<DWORD>(language);
    ::RegSetValueExA(key.get(), kLanguageValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// The outer size of a window with the frame that host and tips share.
SIZE FrameSize(int clientWidth, int clientHeight, DWORD exStyle)
{
    RECT r{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&r, kFrameStyle, FALSE, exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

std::string Hex(unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

// A scripted session never restarts Windows: under Wine a restart ends every program of
// the prefix. The module's call lands here instead and is refused.
Report* g_restartReport = nullptr;

BOOL WINAPI RefuseRestart(UINT flags, DWORD)
{
    if (g_restartReport) g_restartReport->Line("restart requested (flags " + std::to_string(flags) + "), refused in a scripted session");
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

struct Options {
    int tip = 0;       // 0: the first in the list
    int language = -1; // -1: the stored choice
    int osType = -1;   // -1: the running system's
    std::string report;
    std::vector<Step> steps;
};

Options ParseOptions(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc;) {
        if (ParseStep(argc, argv, i, o.steps)) continue;
        const std::string key = argv[i];
        if (i + 1 >= argc) throw std::invalid_argument("unknown option " + key);
        const char* value = argv[i + 1];
        if (key == "--tip") o.tip = std::atoi(value);
        else if (key == "--language") o.language = std::atoi(value) == 1 ? 1 : 0;
        else if (key == "--ostype") o.osType = std::atoi(value);
        else if (key == "--report") o.report = value;
        else throw std::invalid_argument("unknown option " + key);
        i += 2;
    }
    return o;
}

// One loaded tip module. The texts outlive the library: a module may hold references to
// them until it is unloaded.
struct LoadedTip {
    LoadedTip(std::size_t i, const std::string& caption, const std::string& hint)
        : index(i), captionText(caption), hintText(hint)
    {
    }
    std::size_t index;
    HostString captionText;
    HostString hintText;
    UniqueLibrary library;
    ModuleApi::Module api;
    std::optional<Host::ImportPatch> restartGuard;
};

class App final : public ScriptHost {
public:
    App(HINSTANCE instance, Options options);
    App(const App&) = delete;
    App& operator=(const App&) = delete;
    ~App() { g_restartReport = nullptr; }

    int Run();

    HWND MainWindow() const override { return m_hwnd; }
    HWND TipWindow() const override;
    HWND HostControl(const std::string& name) const override;
    std::string State() const override;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    HWND AddControl(const char* cls, DWORD style, int x, int y, int w, int h, int id, DWORD exStyle = 0);
    void CreateControls();
    void ApplyLanguage();
    const Texts& T() const { return kTexts[m_language]; }

    bool OpenTip(std::size_t index);
    bool CloseTip(bool ask); // false when the user keeps the tip open
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
    UINT m_message = ::RegisterWindowMessageA(HostMessage::kName);
    Report m_report;
    tk::UniqueFont m_font;
    tk::UniqueWindow m_window; // until the window destroys itself on close
    HWND m_hwnd = nullptr;
    HWND m_labelTips = nullptr, m_list = nullptr, m_hint = nullptr, m_group = nullptr, m_system = nullptr;
    HWND m_save = nullptr, m_status = nullptr;
    HWND m_radio[2] = {};
    std::unique_ptr<LoadedTip> m_tip;
    std::unique_ptr<Script> m_script;
    std::string m_reportedState;
};

App::App(HINSTANCE instance, Options options)
    : m_instance(instance), m_options(std::move(options)),
      m_language(m_options.language >= 0 ? m_options.language : StoredLanguage()),
      m_osType(m_options.osType >= 0 ? m_options.osType : RunningOSType())
{
    if (!m_options.report.empty()) m_report.Open(m_options.report);
    if (!m_options.steps.empty()) {
        m_script = std::make_unique<Script>(std::move(m_options.steps), *this, m_report);
        g_restartReport = &m_report;
    }

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

    const SIZE size = FrameSize(kClientWidth, kClientHeight, 0);
    m_window.reset(::CreateWindowExA(0, kWindowClass, kTitle, kFrameStyle, 20, 20, size.cx, size.cy, nullptr,
                                     nullptr, instance, this));
    if (!m_window) throw std::runtime_error("the main window cannot be created");
    m_report.Line("system: OSType " + std::to_string(m_osType) + " (" + OSTypeName(m_osType) + ")");
}

HWND App::AddControl(const char* cls, DWORD style, int x, int y, int w, int h, int id, DWORD exStyle)
{
    HWND control = ::CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, m_hwnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), m_instance, nullptr);
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
    return control;
}

void App::CreateControls()
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

void App::ApplyLanguage()
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
    const LRESULT shown = m_tip ? static_cast<LRESULT>(m_tip->index) : selected;
    const std::string hint = shown >= 0 && static_cast<std::size_t>(shown) < m_tips.size()
                                 ? m_tips[static_cast<std::size_t>(shown)].Hint(m_language)
                                 : std::string(m_tips.empty() ? T().noTips : "");
    ::SetWindowTextA(m_hint, hint.c_str());
}

HWND App::TipWindow() const
{
    return m_tip ? ModuleWindow(m_tip->library.get()) : nullptr;
}

HWND App::HostControl(const std::string& name) const
{
    if (name == "Save") return m_save;
    if (name == "Deutsch") return m_radio[0];
    if (name == "English") return m_radio[1];
    return nullptr;
}

std::string App::State() const
{
    if (!m_tip) return "no tip open";
    return "ModulChanged " + std::to_string(m_tip->api.Changed()) + ", ModulNr " + std::to_string(m_tip->api.Nr());
}

void App::SetStatus(const std::string& text)
{
    ::SendMessageA(m_status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// The status line's right part follows the module's state; a change goes to the report.
void App::UpdateState()
{
    const std::string state = State();
    ::SendMessageA(m_status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(state.c_str()));
    if (state != m_reportedState && m_tip) m_report.Line("state: " + state);
    m_reportedState = state;
}

void App::Broadcast(WPARAM command, LPARAM value) const
{
    // A window that hangs in another program does not stop the host.
    ::SendMessageTimeoutA(HWND_BROADCAST, m_message, command, value, SMTO_NORMAL | SMTO_ABORTIFHUNG, 2000, nullptr);
}

// The tip window stands at the host window's right edge, top aligned.
void App::FollowMove() const
{
    if (!m_tip || ::IsIconic(m_hwnd)) return;
    RECT r;
    ::GetWindowRect(m_hwnd, &r);
    // Values with the top bit set are refused by the tips: a window off the screen's
    // left or top edge puts its tip at 0.
    Broadcast(HostMessage::kSetLeft, r.right > 0 ? r.right : 0);
    Broadcast(HostMessage::kSetTop, r.top > 0 ? r.top : 0);
}

bool App::OpenTip(std::size_t index)
{
    const Tip& tip = m_tips[index];
    auto loaded = std::make_unique<LoadedTip>(index, tip.Caption(m_language), tip.Hint(m_language));
    loaded->library.reset(::LoadLibraryA((m_folder + "\\" + tip.file).c_str()));
    if (!loaded->library || !loaded->api.Bind(loaded->library.get())) {
        SetStatus(tip.file + " " + T().cannotLoad);
        m_report.Line("error: " + tip.file + " cannot be loaded");
        return false;
    }
    if (m_script) {
        try {
            loaded->restartGuard.emplace(loaded->library.get(), "user32.dll", "ExitWindowsEx",
                                         reinterpret_cast<void*>(&RefuseRestart));
        } catch (const std::exception&) {
            // A module that never restarts Windows needs no guard.
        }
    }
    m_tip = std::move(loaded);
    ::SendMessageA(m_list, LB_SETCURSEL, index, 0);
    ApplyLanguage();

    RECT host;
    ::GetWindowRect(m_hwnd, &host);
    const SIZE size = FrameSize(kTipClientWidth, kClientHeight, WS_EX_CONTROLPARENT);
    m_report.Line("open " + tip.file + ": tip " + std::to_string(tip.nr) + ", language " + std::to_string(m_language) +
                  ", OSType " + std::to_string(m_osType) + ", OSMask " + Hex(tip.osMask));
    m_tip->api.Create(host.right, host.top, size.cx, size.cy, m_osType, m_language, m_tip->captionText.Pointer(),
                      m_tip->hintText.Pointer(), static_cast<int>(tip.osMask), tip.nr);
    if (!TipWindow()) m_report.Line("error: the tip window did not open");
    SetStatus(tip.osMask & OSTypes::Bit(m_osType) ? T().ready : T().notValid);
    UpdateState();
    return true;
}

bool App::CloseTip(bool ask)
{
    if (!m_tip) return true;
    if (ask && m_tip->api.Changed() == ModuleApi::kChangedUnsaved) {
        const std::string question = T().askSave + m_tips[m_tip->index].Caption(m_language) + T().askSaveEnd;
        const int answer = ::MessageBoxA(m_hwnd, question.c_str(), kTitle, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL) return false;
        if (answer == IDYES && !Save()) return false;
    }
    m_report.Line("closing " + m_tips[m_tip->index].file + ": " + State());
    Broadcast(HostMessage::kClose, 0);
    const int freed = m_tip->api.Free();
    m_report.Line("ModulFree " + std::to_string(freed));
    m_tip.reset();
    ::SendMessageA(m_status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(""));
    m_reportedState.clear();
    return true;
}

bool App::Save()
{
    if (!m_tip) return false;
    m_report.Line("save");
    ModuleApi::Failure failure;
    m_tip->api.SaveChanges(failure);
    UpdateState();
    if (!failure.raised) return true;
    SetStatus(T().notSaved);
    m_report.Line("save failed: " + failure.text);
    ::MessageBoxA(m_hwnd, failure.text.c_str(), kTitle, MB_OK | MB_ICONSTOP);
    return false;
}

void App::ChooseTip()
{
    const LRESULT selected = ::SendMessageA(m_list, LB_GETCURSEL, 0, 0);
    if (selected < 0 || (m_tip && m_tip->index == static_cast<std::size_t>(selected))) return;
    if (!CloseTip(true)) {
        ::SendMessageA(m_list, LB_SETCURSEL, m_tip->index, 0);
        return;
    }
    OpenTip(static_cast<std::size_t>(selected));
}

// A tip takes its language when it is created: it is opened anew in the other one.
void App::ChooseLanguage(int language)
{
    if (language == m_language) return;
    const std::optional<std::size_t> open = m_tip ? std::optional(m_tip->index) : std::nullopt;
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

void App::OnHostMessage(WPARAM command, LPARAM value)
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
    default:
        break; // the host's own commands to the tips come back to it too
    }
}

LRESULT CALLBACK App::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* app = static_cast<App*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        app->m_hwnd = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(app));
    }
    auto* app = reinterpret_cast<App*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return app ? app->Handle(msg, wp, lp) : ::DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT App::Handle(UINT msg, WPARAM wp, LPARAM lp)
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
    case WM_MOVE:
        FollowMove();
        return 0;
    case WM_TIMER:
        if (wp == kStateTimer) UpdateState();
        if (wp == kScriptTimer && m_script) m_script->Tick();
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case kList:
            if (HIWORD(wp) == LBN_SELCHANGE) ChooseTip();
            break;
        case kSave:
            if (HIWORD(wp) == BN_CLICKED) Save();
            break;
        case kGerman:
        case kEnglish:
            if (HIWORD(wp) == BN_CLICKED) ChooseLanguage(LOWORD(wp) == kEnglish ? 1 : 0);
            break;
        default:
            break;
        }
        return 0;
    case WM_CLOSE:
        if (CloseTip(true)) ::DestroyWindow(m_hwnd);
        return 0;
    case WM_DESTROY:
        ::KillTimer(m_hwnd, kStateTimer);
        ::KillTimer(m_hwnd, kScriptTimer);
        (void)m_window.release(); // destroyed by now
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}

int App::Run()
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
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
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

} // namespace

} // namespace Host

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    Host::Options options;
    bool scripted = false;
    try {
        options = Host::ParseOptions(__argc, __argv);
        scripted = !options.steps.empty();
    } catch (const std::exception& e) {
        const std::string text = std::string(e.what()) + "\r\n";
        DWORD written = 0;
        HANDLE out = ::GetStdHandle(STD_ERROR_HANDLE);
        if (out && out != INVALID_HANDLE_VALUE) ::WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return 2;
    }
    try {
        Host::App app(instance, std::move(options));
        return app.Run();
    } catch (const std::exception& e) {
        // A scripted session has nobody to click a box away.
        if (!scripted) ::MessageBoxA(nullptr, e.what(), Host::kTitle, MB_OK | MB_ICONSTOP);
        return 3;
    }
}
