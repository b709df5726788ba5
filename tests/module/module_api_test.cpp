// The caller side of the module boundary: register-convention calls and the guard that
// turns a module failure (a structured exception) into a result the host can read.
#include "host/ModuleApi.h"

#include <gtest/gtest.h>

namespace {

// The head of the thread's exception-frame chain (FS:0).
void* ExceptionChain()
{
    void* head;
    asm volatile("movl %%fs:0, %0" : "=r"(head));
    return head;
}

// Stand-ins for exports without arguments: the result travels in EAX.
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

// Register-convention callee with ten arguments, written as the module's thunk is: it
// stores what arrives where and removes its seven stack arguments.
int g_received[10];
extern "C" int RecordTen(int, int, int, int, int, int, int, int, int, int);
extern "C" int RecordTenCdecl(int a1, int a2, int a3, int a4, int a5, int a6, int a7, int a8, int a9, int a10)
{
    const int values[10] = {a1, a2, a3, a4, a5, a6, a7, a8, a9, a10};
    for (int i = 0; i < 10; ++i) g_received[i] = values[i];
    return 42;
}

} // namespace

asm(R"(
    .text
    .globl _RecordTen
_RecordTen:
    pushl %ebp
    movl %esp, %ebp
    pushl 8(%ebp)
    pushl 12(%ebp)
    pushl 16(%ebp)
    pushl 20(%ebp)
    pushl 24(%ebp)
    pushl 28(%ebp)
    pushl 32(%ebp)
    pushl %ecx
    pushl %edx
    pushl %eax
    call _RecordTenCdecl
    movl %ebp, %esp
    popl %ebp
    ret $28
)");

TEST(ModuleApiCall, TenArgumentsArriveInOrder)
{
    const int result = ModuleApi::CallRegister10(reinterpret_cast<void*>(&RecordTen), 1, 2, 3, 4, 5, 6, 7, 8, 9, 10);
    EXPECT_EQ(result, 42);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(g_received[i], i + 1) << "argument " << i + 1;
}

TEST(ModuleApiGuard, PassesTheResultWhenNothingFails)
{
    void* chain = ExceptionChain();
    ModuleApi::Failure failure;
    EXPECT_EQ(ModuleApi::CallGuarded(reinterpret_cast<FARPROC>(&ReturnsSeven), failure), 7);
    EXPECT_FALSE(failure.raised);
    EXPECT_EQ(ExceptionChain(), chain);
}

TEST(ModuleApiGuard, CatchesAModuleFailureWithItsText)
{
    void* chain = ExceptionChain();
    volatile int before = 1234; // a local of this frame survives the unwinding
    ModuleApi::Failure failure;
    EXPECT_EQ(ModuleApi::CallGuarded(reinterpret_cast<FARPROC>(&RaisesFailure), failure), 0);
    EXPECT_TRUE(failure.raised);
    EXPECT_EQ(failure.text, g_text);
    EXPECT_EQ(before, 1234);
    EXPECT_EQ(ExceptionChain(), chain);

    // The guard is gone from the chain and works again.
    ModuleApi::Failure again;
    EXPECT_EQ(ModuleApi::CallGuarded(reinterpret_cast<FARPROC>(&RaisesFailureWithoutText), again), 0);
    EXPECT_TRUE(again.raised);
    EXPECT_EQ(again.text, "");
    EXPECT_EQ(ModuleApi::CallGuarded(reinterpret_cast<FARPROC>(&ReturnsSeven), again), 7);
    EXPECT_FALSE(again.raised);
}
