// The library's main file: the tip window it owns, the exported functions that create,
// save and free it, and the library's start and end.
#include "module/Tipp211.h"
#include "contract/ModuleContract.h"
#include "template/HostBroadcast.h"
#include "template/ModuleState.h"
#include "toolkit/base/HandlerScope.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace __gnu_cxx {

// libstdc++: frees the memory the runtime keeps until the program ends.
void __freeres();

// Takes the place of libstdc++'s verbose terminate handler, which prints the exception's
// demangled type to a console that the host does not have. Defined here, the runtime's own
// handler and the name demangler it needs (a sixth of the library) are not linked in; a
// terminate ends the host all the same.
void __verbose_terminate_handler() { std::abort(); }

} // namespace __gnu_cxx

TFormTipp211* TipWindow = nullptr;

namespace {

// Clears TipWindow when the window's object is freed, whichever way it ended.
class TipWindowWatch : public tk::TComponent {
public:
    TipWindowWatch() : tk::TComponent(nullptr) {}
    void Watch(TFormTipp211* window) { window->FreeNotification(this); }
    void Notification(tk::TComponent* component, tk::TOperation operation) override
    {
        tk::TComponent::Notification(component, operation);
        if (operation == tk::TOperation::opRemove && component == TipWindow) TipWindow = nullptr;
    }
};

TipWindowWatch& Watch()
{
    static TipWindowWatch watch;
    return watch;
}

// The window the host's calls act on: none once it has begun to go, although its object
// lives on until the handlers that wait in it have returned. A host that reacts to the
// window's end (its own activation as the window goes, say) finds no window.
TFormTipp211* LiveTipWindow() { return TipWindow && !TipWindow->IsDestroying() ? TipWindow : nullptr; }

// Ends the window: it goes from the screen now, and its object once no handler waits in
// it (a box, a broadcast).
void ReleaseTipWindow()
{
    if (TFormTipp211* window = std::exchange(TipWindow, nullptr)) window->Release();
}

// The host hands in zero-terminated texts, or null for an empty one; they are copied.
std::string TextOf(const char* text) { return text ? std::string(text) : std::string(); }

// The text of the last failure that passed to the host; it stays valid while the host
// handles the structured exception that carries it.
char g_failureText[1024];

bool SaveChanges(int& result)
{
    try {
        // The restart question waits: what ends the window meanwhile frees it after.
        const tk::HandlerScope saving;
        TFormTipp211* window = LiveTipWindow();
        if (!window) {
            result = 0; // no window, nothing saved
            return true;
        }
        window->HotSpeedButtonOKClick(nullptr);
        result = 1;
        return true;
    } catch (const std::exception& e) {
        std::strncpy(g_failureText, e.what(), sizeof g_failureText - 1);
    } catch (...) {
        std::strncpy(g_failureText, "Unknown error", sizeof g_failureText - 1);
    }
    return false;
}

} // namespace

extern "C" int ModulCreateImpl(int left, int top, int width, int height, int osType, int language, const char* caption,
                               const char* hint, int osMask, int tippNr)
{
    try {
        // Creation may wait in a box ("Big"): a close command or ModulFree meanwhile ends
        // the new window, and its object is freed when this call returns.
        const tk::HandlerScope creating;
        const std::string captionText = TextOf(caption);
        const std::string hintText = TextOf(hint);
        ModuleState::Language = language;
        ModuleState::OSType = osType;
        ModuleState::OSMask = osMask;
        // The module owns one tip window: an earlier one goes first.
        ReleaseTipWindow();
        // Known as the tip window while it is being created, so that ModulFree ends it.
        auto* window = new TFormTipp211(nullptr);
        TipWindow = window;
        Watch().Watch(window);
        try {
            window->InitializeForm();
        } catch (...) {
            window->Release();
            throw;
        }
        // Ended while it was being created: nothing is shown and nothing is kept.
        if (window->IsDestroying()) return 0;
        window->SetCaption(captionText);
        window->SetLeft(left);
        window->SetTop(top);
        window->SetWidth(width);
        window->SetHeight(height);
        window->SetTag(osType);
        window->SetHint(hintText);
        window->TippNr = tippNr;
        window->Show();
        window->Sprache(ModuleState::Language);
    } catch (...) {
        // The host learns of a failure only by the window's absence.
    }
    return 0;
}

extern "C" int ModulFreeImpl()
{
    try {
        ReleaseTipWindow();
        return 1;
    } catch (...) {
        return 0;
    }
}

// A failure while saving passes to the host as a structured exception: C++ exceptions
// cannot cross into another module. No C++ object lives in this frame when it is raised.
extern "C" int ModulSaveChangesImpl()
{
    int result = 0;
    if (!SaveChanges(result)) {
        const ULONG_PTR argument = reinterpret_cast<ULONG_PTR>(g_failureText);
        ::RaiseException(ModuleApi::kFailureCode, 0, 1, &argument);
    }
    return result;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH: try { HostBroadcast::Register();
        } catch (...) {
            return FALSE; // the library does not load
        }
        return TRUE;
    case DLL_PROCESS_DETACH:
        // Unloaded while its window still exists: the window goes first, so that no
        // window is left whose window procedure lies in unloaded code. At process exit
        // (reserved not null) windows are gone already.
        if (!reserved) {
            try {
                ReleaseTipWindow();
            } catch (...) {
            }
        }
        // Freed by the host: the C++ runtime, linked into this library, gives back what it
        // keeps for this load (its emergency pool for exceptions). Nothing throws after it.
        if (!reserved) __gnu_cxx::__freeres();
        return TRUE;
    default: return TRUE;
    }
}
