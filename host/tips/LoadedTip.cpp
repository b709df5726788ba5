#include "host/tips/LoadedTip.h"
#include "host/script/WindowLookup.h"

namespace Host {

namespace {

// Both windows share a height: the host's client area is as high as a tip's.
constexpr int kTipClientWidth = 292;
constexpr int kTipClientHeight = 426;
constexpr DWORD kTipFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The help library that every tip module imports.
constexpr char kHelpLibrary[] = "SorvHelp.dll";

// Where the refused restarts of a scripted session are reported.
Report* g_restartReport = nullptr;

BOOL WINAPI RefuseRestart(UINT flags, DWORD)
{
    if (g_restartReport)
        g_restartReport->Line("restart requested (flags " + std::to_string(flags) + "), refused in a scripted session");
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

} // namespace

LoadedTip::LoadedTip(const Tip& tip, std::size_t index, int language)
    : m_tip(tip), m_index(index), m_caption(tip.Caption(language)), m_hint(tip.Hint(language))
{}

LoadedTip::~LoadedTip()
{
    if (m_restartGuard) g_restartReport = nullptr;
}

std::unique_ptr<LoadedTip> LoadedTip::Load(const std::string& folder, const Tip& tip, std::size_t index, int language,
                                           Report* scripted)
{
    std::unique_ptr<LoadedTip> loaded(new LoadedTip(tip, index, language));
    // The help library first, by its full path: the module's import of it then binds to
    // this copy, which Windows already has loaded under that name, and not to one that
    // the search order finds elsewhere (the current directory, the path).
    loaded->m_help.reset(::LoadLibraryA((folder + "\\" + kHelpLibrary).c_str()));
    if (!loaded->m_help) return nullptr;
    loaded->m_library.reset(::LoadLibraryA((folder + "\\" + tip.file).c_str()));
    if (!loaded->m_library || !loaded->m_api.Bind(loaded->m_library.get())) return nullptr;
    if (scripted) {
        try {
            loaded->m_restartGuard.emplace(loaded->m_library.get(), "user32.dll", "ExitWindowsEx",
                                           reinterpret_cast<void*>(&RefuseRestart));
            g_restartReport = scripted;
        } catch (const std::exception&) {
            // A module that never restarts Windows needs no guard.
        }
    }
    return loaded;
}

void LoadedTip::Create(int left, int top, int osType, int language)
{
    RECT frame{0, 0, kTipClientWidth, kTipClientHeight};
    ::AdjustWindowRectEx(&frame, kTipFrameStyle, FALSE, WS_EX_CONTROLPARENT);
    m_api.Create(left, top, frame.right - frame.left, frame.bottom - frame.top, osType, language, m_caption.Pointer(),
                 m_hint.Pointer(), static_cast<int>(m_tip.osMask), m_tip.nr);
}

HWND LoadedTip::Window() const { return ModuleWindow(m_library.get()); }

ModuleApi::Failure LoadedTip::Save() const
{
    ModuleApi::Failure failure;
    m_api.SaveChanges(failure);
    return failure;
}

} // namespace Host
