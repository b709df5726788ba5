// Loading the library: the host window message is registered while Tipp211.dll loads; a
// number that does not fit 16 bits refuses the load instead of crashing the host, and a
// registration that fails leaves the module without a number.
#include "contract/HostMessage.h"
#include "tests/module/JumpStub.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/MessageParty.h"
#include "tests/support/ShutdownRecorder.h"
#include "tests/support/SystemIni.h"
#include "tests/support/TipModule.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Points one entry of a loaded DLL's export table somewhere else while it lives, so that
// a library loaded meanwhile binds its import of that function to the replacement. An
// export is an RVA, a 32-bit distance above the exporter's base: the entry points at a
// jump to the replacement placed just above the exporter's image.
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
            m_stub = PlaceJumpAbove(base + nt->OptionalHeader.SizeOfImage, replacement);
            if (!m_stub) return;
            m_slot = &functions[ordinals[i]];
            m_original = *m_slot;
            Write(static_cast<DWORD>(static_cast<BYTE*>(m_stub) - base));
            return;
        }
    }
    ~ExportPatch()
    {
        if (m_slot) Write(m_original);
        if (m_stub) ::VirtualFree(m_stub, 0, MEM_RELEASE);
    }
    ExportPatch(const ExportPatch&) = delete;
    ExportPatch& operator=(const ExportPatch&) = delete;
    bool Found() const { return m_slot != nullptr; }

private:
    // The first free 64 KiB block at or above `from` that takes the jump.
    static void* PlaceJumpAbove(BYTE* from, void* target)
    {
        const std::vector<unsigned char> jump = ts::AbsoluteJump(target);
        auto at = (reinterpret_cast<ULONG_PTR>(from) + 0xFFFF) & ~ULONG_PTR{0xFFFF};
        for (int tries = 0; tries < 4096; ++tries, at += 0x10000) {
            void* stub = ::VirtualAlloc(reinterpret_cast<void*>(at), jump.size(), MEM_COMMIT | MEM_RESERVE,
                                        PAGE_EXECUTE_READWRITE);
            if (!stub) continue;
            std::memcpy(stub, jump.data(), jump.size());
            ::FlushInstructionCache(::GetCurrentProcess(), stub, jump.size());
            return stub;
        }
        return nullptr;
    }
    void Write(DWORD value)
    {
        DWORD protect;
        ::VirtualProtect(m_slot, sizeof *m_slot, PAGE_READWRITE, &protect);
        *m_slot = value;
        ::VirtualProtect(m_slot, sizeof *m_slot, protect, &protect);
    }

    DWORD* m_slot = nullptr;
    DWORD m_original = 0;
    void* m_stub = nullptr;
};

UINT g_registeredNumber = 0;
std::string g_registeredName;

UINT WINAPI FakeRegisterWindowMessageA(LPCSTR name)
{
    g_registeredName = name ? name : "";
    return g_registeredNumber;
}

int g_failedRegistrations = 0;
UINT WINAPI FailingRegisterWindowMessageA(LPCSTR)
{
    ++g_failedRegistrations;
    return 0; // as when the atom table is full
}

// The real library, loaded while registering the host message fails, with everything a
// save needs around it.
class FailedRegistration : public testing::Test {
protected:
    ExportPatch patch{::GetModuleHandleA("user32.dll"), "RegisterWindowMessageA",
                      reinterpret_cast<void*>(&FailingRegisterWindowMessageA)};
    ts::SystemIni saved;
    ts::TipModule tip;
    ts::MessageBoxRecorder boxes{tip.Library()};
    ts::ShutdownRecorder shutdown{tip.Library()};
    ts::MessageParty party;
};

} // namespace

// Windows itself sends WM_NULL to see whether a window still answers; with the number 0
// the module would take it for the host's close command.
TEST_F(FailedRegistration, NoSystemMessageIsTakenForTheHostsAndNothingIsBroadcast)
{
    ASSERT_EQ(g_failedRegistrations, 1);
    ASSERT_EQ(tip.Create(), 0);
    HWND window = tip.Window();
    ASSERT_NE(window, nullptr);
    for (UINT message : {UINT{WM_NULL}, UINT{WM_USER}, UINT{WM_APP}})
        ::SendMessageA(window, message, HostMessage::kClose, 0);
    party.Broadcast(HostMessage::kClose, 0);
    party.Broadcast(HostMessage::kSetLeft, 77);
    RECT place{};
    EXPECT_TRUE(::GetWindowRect(window, &place));
    EXPECT_NE(place.left, 77);

    party.Clear(); // its own broadcasts
    boxes.SetAnswer(IDNO);
    ModuleApi::Failure failure;
    EXPECT_EQ(tip.Api().SaveChanges(failure), 1);
    EXPECT_FALSE(failure.raised);
    EXPECT_EQ(boxes.Boxes().size(), 1u) << "the restart question, and no report";
    EXPECT_TRUE(party.Received().empty()) << "a saved notice was broadcast";
    EXPECT_EQ(tip.Api().Free(), 1);
}

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
