// Redirecting one import of a loaded module, as the host does with a tip's restart in a
// scripted session and the tests with message boxes and system calls.
#include "host/script/ImportPatch.h"
#include "tests/support/Exports.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

int g_fakeTickCalls = 0;

DWORD WINAPI FakeTickCount()
{
    ++g_fakeTickCalls;
    return 12345;
}

// Each call loads the import slot afresh: within one function GCC may keep the slot's
// value in a register across the patch's constructor or destructor.
[[gnu::noinline]] DWORD TickCountThroughSlot() { return GetTickCount(); }

TEST(ImportPatch, RedirectsTheTestProgramsCallsUntilDestroyed)
{
    // The DLL name is matched without regard to case.
    for (const char* dll : {"kernel32.dll", "KERNEL32.DLL", "Kernel32.dll"}) {
        SCOPED_TRACE(dll);
        g_fakeTickCalls = 0;
        {
            Host::ImportPatch patch(GetModuleHandleA(nullptr), dll, "GetTickCount",
                                    reinterpret_cast<void*>(&FakeTickCount));
            EXPECT_EQ(patch.Original(), ts::RealExport("kernel32.dll", "GetTickCount"));
            EXPECT_EQ(TickCountThroughSlot(), 12345u);
            EXPECT_EQ(g_fakeTickCalls, 1);
        }
        TickCountThroughSlot();
        EXPECT_EQ(g_fakeTickCalls, 1) << "the original was not put back";
    }
}

TEST(ImportPatch, MovedPatchRestoresOnceWhenItsLastOwnerDies)
{
    g_fakeTickCalls = 0;
    {
        Host::ImportPatch moved = [] {
            Host::ImportPatch first(GetModuleHandleA(nullptr), "kernel32.dll", "GetTickCount",
                                    reinterpret_cast<void*>(&FakeTickCount));
            return Host::ImportPatch(std::move(first));
        }();
        TickCountThroughSlot();
        EXPECT_EQ(g_fakeTickCalls, 1) << "the moved-from patch restored the slot";
    }
    TickCountThroughSlot();
    EXPECT_EQ(g_fakeTickCalls, 1);
}

TEST(ImportPatch, MissingImportThrowsNamingWhatWasSought)
{
    const struct {
        const char* dll;
        const char* function;
    } rows[] = {
        {"kernel32.dll", "NoSuchFunctionAnywhere"},
        {"nosuch.dll", "GetTickCount"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.function);
        try {
            Host::ImportPatch patch(GetModuleHandleA(nullptr), row.dll, row.function,
                                    reinterpret_cast<void*>(&FakeTickCount));
            ADD_FAILURE() << "no exception";
        } catch (const std::runtime_error& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(row.dll), std::string::npos) << message;
            EXPECT_NE(message.find(row.function), std::string::npos) << message;
            EXPECT_NE(message.find(".exe"), std::string::npos) << message;
        }
    }
}

// A minimal PE image in memory importing two functions from kernel32, with or without a
// hint/name table, to reach the lookup by address that some binaries need.
struct FakeImage {
    IMAGE_DOS_HEADER dos;
    IMAGE_NT_HEADERS nt;
    IMAGE_IMPORT_DESCRIPTOR imports[2];
    ULONG_PTR iat[3]; // import thunks are pointer-sized
    ULONG_PTR names[3];
    char dllName[16];
    struct {
        WORD hint;
        char name[16];
    } byName[2];
};

FakeImage* BuildFakeImage(bool withNameTable)
{
    auto* image =
        static_cast<FakeImage*>(VirtualAlloc(nullptr, sizeof(FakeImage), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    const auto rva = [image](const void* p) {
        return static_cast<DWORD>(static_cast<const BYTE*>(p) - reinterpret_cast<const BYTE*>(image));
    };
    image->dos.e_magic = IMAGE_DOS_SIGNATURE;
    image->dos.e_lfanew = static_cast<LONG>(offsetof(FakeImage, nt));
    image->nt.Signature = IMAGE_NT_SIGNATURE;
    auto& dir = image->nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    dir.VirtualAddress = rva(image->imports);
    dir.Size = sizeof(image->imports);
    std::strcpy(image->dllName, "KERNEL32.dll");
    std::strcpy(image->byName[0].name, "GetVersion");
    std::strcpy(image->byName[1].name, "GetTickCount");
    image->imports[0].Name = rva(image->dllName);
    image->imports[0].FirstThunk = rva(image->iat);
    image->imports[0].OriginalFirstThunk = withNameTable ? rva(image->names) : 0;
    for (int i = 0; i < 2; ++i) {
        image->iat[i] = reinterpret_cast<ULONG_PTR>(ts::RealExport("kernel32.dll", image->byName[i].name));
        image->names[i] = rva(&image->byName[i]);
    }
    return image;
}

TEST(ImportPatch, FindsTheSlotByNameOrByAddress)
{
    for (bool withNameTable : {true, false}) {
        SCOPED_TRACE(withNameTable ? "hint/name table" : "no hint/name table");
        FakeImage* image = BuildFakeImage(withNameTable);
        ASSERT_NE(image, nullptr);
        const ULONG_PTR versionSlot = image->iat[0];
        const ULONG_PTR tickSlot = image->iat[1];
        {
            Host::ImportPatch patch(reinterpret_cast<HMODULE>(image), "kernel32.dll", "GetTickCount",
                                    reinterpret_cast<void*>(&FakeTickCount));
            EXPECT_EQ(image->iat[1], reinterpret_cast<ULONG_PTR>(&FakeTickCount));
            EXPECT_EQ(image->iat[0], versionSlot);
            EXPECT_EQ(reinterpret_cast<ULONG_PTR>(patch.Original()), tickSlot);
        }
        EXPECT_EQ(image->iat[1], tickSlot);
        VirtualFree(image, 0, MEM_RELEASE);
    }
}

} // namespace
