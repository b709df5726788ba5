// The caller side of the module boundary: calls in the exports' convention, and the guard
// that turns a module failure (a structured exception) into a result the host can read.
#include "contract/ModuleCaller.h"
#include "tests/module/ExportStandIn.h"

#include <gtest/gtest.h>

namespace {

// Stand-ins for exports without arguments.
extern "C" int ReturnsSeven() { return 7; }

char g_text[] = "Unable to write to System.INI";

extern "C" int RaisesFailure()
{
    const ULONG_PTR argument = reinterpret_cast<ULONG_PTR>(g_text);
    ::RaiseException(ModuleApi::kFailureCode, 0, 1, &argument);
    return 1;
}

extern "C" int RaisesFailureWithoutText()
{
    ::RaiseException(ModuleApi::kFailureCode, 0, 0, nullptr);
    return 1;
}

extern "C" int RaisesSomethingElse()
{
    ::RaiseException(0xE0000001, 0, 0, nullptr);
    return 1;
}

template <class F>
FARPROC Export(F* f)
{
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(f));
}

LONG WINAPI ContinueSomethingElse(EXCEPTION_POINTERS* info)
{
    return info->ExceptionRecord->ExceptionCode == 0xE0000001 ? EXCEPTION_CONTINUE_EXECUTION
                                                              : EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

TEST(ModuleApiCall, TenArgumentsArriveInOrder)
{
    const int result = ModuleApi::CallCreate(ts::RecordTenExport(), 1, 2, 3, 4, 5, 6, reinterpret_cast<const char*>(7),
                                             reinterpret_cast<const char*>(8), 9, 10);
    EXPECT_EQ(result, 42);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(ts::ReceivedArguments()[i], i + 1) << "argument " << i + 1;
}

TEST(ModuleApiGuard, PassesTheResultWhenNothingFails)
{
    void* chain = ts::ExceptionChainHead();
    ModuleApi::Failure failure;
    EXPECT_EQ(ModuleApi::CallGuarded(Export(&ReturnsSeven), failure), 7);
    EXPECT_FALSE(failure.raised);
    EXPECT_EQ(ts::ExceptionChainHead(), chain);
}

TEST(ModuleApiGuard, CatchesAModuleFailureWithItsText)
{
    void* chain = ts::ExceptionChainHead();
    volatile int before = 1234; // a local of this frame survives the unwinding
    ModuleApi::Failure failure;
    EXPECT_EQ(ModuleApi::CallGuarded(Export(&RaisesFailure), failure), 0);
    EXPECT_TRUE(failure.raised);
    EXPECT_EQ(failure.text, g_text);
    EXPECT_EQ(before, 1234);
    EXPECT_EQ(ts::ExceptionChainHead(), chain);

    // The guard is gone and works again.
    ModuleApi::Failure again;
    EXPECT_EQ(ModuleApi::CallGuarded(Export(&RaisesFailureWithoutText), again), 0);
    EXPECT_TRUE(again.raised);
    EXPECT_EQ(again.text, "");
    EXPECT_EQ(ModuleApi::CallGuarded(Export(&ReturnsSeven), again), 7);
    EXPECT_FALSE(again.raised);
}

// Any other exception is not the guard's: it goes on past it, here to the last handler
// of all, which continues where it was raised, so that the call returns normally.
TEST(ModuleApiGuard, LeavesOtherExceptionsToOuterHandlers)
{
    const LPTOP_LEVEL_EXCEPTION_FILTER previous = ::SetUnhandledExceptionFilter(&ContinueSomethingElse);
    ModuleApi::Failure failure;
    EXPECT_EQ(ModuleApi::CallGuarded(Export(&RaisesSomethingElse), failure), 1);
    EXPECT_FALSE(failure.raised);
    ::SetUnhandledExceptionFilter(previous);
}
