#include "host/script/ImportPatch.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace Host {
namespace {

std::string ModuleName(HMODULE module)
{
    char path[MAX_PATH] = {};
    if (::GetModuleFileNameA(module, path, MAX_PATH) == 0) return "<unknown module>";
    return path;
}

// Writes one IAT slot, lifting the page protection only for the write itself.
void WriteSlot(void** slot, void* value)
{
    DWORD oldProtect = 0;
    if (!::VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &oldProtect))
        throw std::runtime_error("ImportPatch: VirtualProtect failed on an import slot");
    ::InterlockedExchangePointer(slot, value);
    DWORD ignored = 0;
    ::VirtualProtect(slot, sizeof(void*), oldProtect, &ignored);
    ::FlushInstructionCache(::GetCurrentProcess(), slot, sizeof(void*));
}

void** FindSlot(HMODULE importer, const char* dllName, const char* functionName)
{
    auto* base = reinterpret_cast<BYTE*>(importer);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE) return nullptr;
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0 || dir.Size == 0) return nullptr;

    // The address the loader would have put in the slot; used for modules whose import
    // descriptors carry no hint/name table.
    void* real = nullptr;
    if (HMODULE exporter = ::GetModuleHandleA(dllName))
        real = reinterpret_cast<void*>(::GetProcAddress(exporter, functionName));

    for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); desc->Name != 0; ++desc) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + desc->Name), dllName) != 0) continue;
        auto* iat = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk);
        if (desc->OriginalFirstThunk != 0) {
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->OriginalFirstThunk);
            for (size_t i = 0; names[i].u1.AddressOfData != 0; ++i) {
                if (IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal)) continue;
                auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names[i].u1.AddressOfData);
                if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), functionName) == 0)
                    return reinterpret_cast<void**>(&iat[i].u1.Function);
            }
        }
        if (real) {
            for (size_t i = 0; iat[i].u1.Function != 0; ++i)
                if (reinterpret_cast<void*>(iat[i].u1.Function) == real)
                    return reinterpret_cast<void**>(&iat[i].u1.Function);
        }
    }
    return nullptr;
}

} // namespace

ImportPatch::ImportPatch(HMODULE importer, const char* dllName, const char* functionName, void* replacement)
{
    m_slot = importer ? FindSlot(importer, dllName, functionName) : nullptr;
    if (!m_slot)
        throw std::runtime_error("ImportPatch: " + ModuleName(importer) + " imports no " + functionName + " from " +
                                 dllName);
    m_original = *m_slot;
    WriteSlot(m_slot, replacement);
}

ImportPatch::~ImportPatch() { Restore(); }

ImportPatch::ImportPatch(ImportPatch&& other) noexcept
    : m_slot(std::exchange(other.m_slot, nullptr)), m_original(std::exchange(other.m_original, nullptr))
{}

ImportPatch& ImportPatch::operator=(ImportPatch&& other) noexcept
{
    if (this != &other) {
        Restore();
        m_slot = std::exchange(other.m_slot, nullptr);
        m_original = std::exchange(other.m_original, nullptr);
    }
    return *this;
}

void ImportPatch::Restore() noexcept
{
    if (!m_slot) return;
    try {
        WriteSlot(m_slot, m_original);
    } catch (...) {
        // A slot that cannot be written back stays patched; nothing better can be done here.
    }
    m_slot = nullptr;
}

} // namespace Host
