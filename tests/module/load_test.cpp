// Loading the library: the host window message is registered while Tipp211.dll loads, and
// a number that does not fit 16 bits refuses the load instead of crashing the host.
#include "tests/module/TipModule.h"

#include <gtest/gtest.h>

namespace {

// Points one entry of a loaded DLL's export table somewhere else while it lives, so that
// a library loaded meanwhile binds its import of that function to the replacement.
class ExportPatch {
public:
    ExportPatch(HMODULE exporter, const char* name, void* replacement)
    {
        auto* base = reinterpret_cast<BYTE*>(exporter);
        auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
        auto* exports = reinterpret_cast<IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
        auto* names = reinterpret_cast<DWORD*>(base + exports->AddressOfNames);
        auto* ordinals = reinterpret_cast<WORD*>(base + exports->AddressOfNameOrdinals);
        auto* functions = reinterpret_cast<DWORD*>(base + exports->AddressOfFunctions);
        for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
            if (lstrcmpA(reinterpret_cast<const char*>(base + names[i]), name) != 0) continue;
            m_slot = &functions[ordinals[i]];
            m_original = *m_slot;
            DWORD protect;
            ::VirtualProtect(m_slot, sizeof *m_slot, PAGE_READWRITE, &protect);
            // 32-bit addresses wrap around, so any address is base + some RVA.
            *m_slot = static_cast<DWORD>(reinterpret_cast<DWORD_PTR>(replacement) - reinterpret_cast<DWORD_PTR>(base));
            ::VirtualProtect(m_slot, sizeof *m_slot, protect, &protect);
            return;
        }
    }
    ~ExportPatch()
    {
        if (!m_slot) return;
        DWORD protect;
        ::VirtualProtect(m_slot, sizeof *m_slot, PAGE_READWRITE, &protect);
        *m_slot = m_original;
        ::VirtualProtect(m_slot, sizeof *m_slot, protect, &protect);
    }
    ExportPatch(const ExportPatch&) = delete;
    ExportPatch& operator=(const ExportPatch&) = delete;
    bool Found() const { return m_slot != nullptr; }

private:
    DWORD* m_slot = nullptr;
    DWORD m_original = 0;
};

UINT g_registeredNumber = 0;
std::string g_registeredName;

UINT WINAPI FakeRegisterWindowMessageA(LPCSTR name)
{
    g_registeredName = name ? name : "";
    return g_registeredNumber;
}

} // namespace

TEST(ModuleLoad, RegistersTheHostMessageWhileLoading)
{
    ASSERT_EQ(::GetModuleHandleA("Tipp211.dll"), nullptr);
    ExportPatch patch(::GetModuleHandleA("user32.dll"), "RegisterWindowMessageA",
                      reinterpret_cast<void*>(&FakeRegisterWindowMessageA));
    ASSERT_TRUE(patch.Found());
    g_registeredNumber = 0xC123;
    HMODULE library = ::LoadLibraryA("Tipp211.dll");
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(g_registeredName, "Kelvamo");
    ::FreeLibrary(library);
}

TEST(ModuleLoad, AMessageNumberAbove16BitsRefusesTheLoad)
{
    ExportPatch patch(::GetModuleHandleA("user32.dll"), "RegisterWindowMessageA",
                      reinterpret_cast<void*>(&FakeRegisterWindowMessageA));
    ASSERT_TRUE(patch.Found());
    for (UINT number : {0x10000u, 0xFFFFFFFFu}) {
        g_registeredNumber = number;
        g_registeredName.clear();
        EXPECT_EQ(::LoadLibraryA("Tipp211.dll"), nullptr) << std::hex << number;
        EXPECT_EQ(g_registeredName, "Kelvamo");
        EXPECT_EQ(::GetModuleHandleA("Tipp211.dll"), nullptr);
    }
    // 0xFFFF still fits and loads.
    g_registeredNumber = 0xFFFF;
    HMODULE library = ::LoadLibraryA("Tipp211.dll");
    EXPECT_NE(library, nullptr);
    if (library) ::FreeLibrary(library);
}
