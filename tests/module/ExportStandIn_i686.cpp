// On i686 the stand-in is written as the module's thunk is: it takes the register
// convention and removes its seven stack arguments.
#include "tests/module/ExportStandIn.h"

namespace {
int g_received[10];
}

extern "C" int RecordTen();
extern "C" int RecordTenCdecl(int a1, int a2, int a3, int a4, int a5, int a6, int a7, int a8, int a9, int a10)
{
    const int values[10] = {a1, a2, a3, a4, a5, a6, a7, a8, a9, a10};
    for (int i = 0; i < 10; ++i) g_received[i] = values[i];
    return 42;
}

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

namespace ts {

FARPROC RecordTenExport() { return reinterpret_cast<FARPROC>(&RecordTen); }
const int* ReceivedArguments() { return g_received; }

void* ExceptionChainHead()
{
    void* head;
    asm volatile("movl %%fs:0, %0" : "=r"(head));
    return head;
}

} // namespace ts
