#pragma once
// Redirects one imported function of a loaded module for as long as the patch lives, by
// rewriting that module's import address table entry. MinGW code calls every import
// through its IAT slot, so a patched slot catches each call the module makes from then on.
// GCC may load a slot once and reuse the value within one function, so a call in the same
// function as the patch's construction or destruction can still reach the old target.
#include <windows.h>

namespace Host {

class ImportPatch {
public:
    // Finds `functionName` among the imports `importer` takes from `dllName` (the DLL name
    // compared without regard to case) and points that slot at `replacement`. Throws
    // std::runtime_error naming module, DLL and function when there is no such import.
    ImportPatch(HMODULE importer, const char* dllName, const char* functionName, void* replacement);
    ~ImportPatch();

    ImportPatch(ImportPatch&& other) noexcept;
    ImportPatch& operator=(ImportPatch&& other) noexcept;
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    // The slot's value before patching: the function the module would have called.
    [[nodiscard]] void* Original() const { return m_original; }

private:
    void Restore() noexcept;

    void** m_slot = nullptr;
    void* m_original = nullptr;
};

} // namespace Host
