#pragma once
// One tip module while the host shows it: its library and the help library it imports
// loaded from the program's folder, its window created beside the host window, its state
// read, its changes saved, and then its window and libraries freed.
#include "contract/ModuleCaller.h"
#include "host/script/ImportPatch.h"
#include "host/script/Report.h"
#include "host/tips/Catalog.h"
#include "host/tips/HostString.h"
#include "toolkit/base/Handles.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace Host {

class LoadedTip {
public:
    // Loads the library of `tip` (the index-th of the host's list) from `folder`, and
    // SorvHelp.dll, which it imports, from there before it; null when either does not load
    // or the tip's library lacks one of the five exports. With a report, the tip runs
    // in a scripted session: its restart of Windows is refused and reported there, since
    // under Wine a restart ends every program of the prefix.
    static std::unique_ptr<LoadedTip> Load(const std::string& folder, const Tip& tip, std::size_t index, int language,
                                           Report* scripted);
    ~LoadedTip();
    LoadedTip(const LoadedTip&) = delete;
    LoadedTip& operator=(const LoadedTip&) = delete;

    [[nodiscard]] std::size_t Index() const { return m_index; }
    // Creates and shows the tip window at the host window's right edge, `top` aligned.
    void Create(int left, int top, int osType, int language);
    // The tip's own top-level window; null before Create or once the tip closed it.
    [[nodiscard]] HWND Window() const;
    [[nodiscard]] int Changed() const { return m_api.Changed(); }
    [[nodiscard]] int Nr() const { return m_api.Nr(); }
    // ModulSaveChanges; a failure the module raised comes back with its text.
    ModuleApi::Failure Save() const;
    // ModulFree; the library goes with this object.
    int Free() const { return m_api.Free(); }

private:
    LoadedTip(const Tip& tip, std::size_t index, int language);

    struct FreeLibraryHandle {
        void operator()(HMODULE h) const { ::FreeLibrary(h); }
    };
    using UniqueLibrary = tk::UniqueHandle<tk::NullHandleTraits<HMODULE, FreeLibraryHandle>>;

    Tip m_tip;
    std::size_t m_index;
    // The texts outlive the library: a module may hold references to them until it is
    // unloaded.
    HostString m_caption;
    HostString m_hint;
    UniqueLibrary m_help; // held while the module that imports it is loaded
    UniqueLibrary m_library;
    ModuleApi::Module m_api;
    std::optional<ImportPatch> m_restartGuard;
};

} // namespace Host
