// Pushes the two arguments by hand, calls, and reads ESP afterwards; a stdcall callee pops
// its 8 bytes, so ESP comes back unchanged. ESP is restored either way, so a wrong
// convention shows up as a failed check rather than a crash.
#include "tests/helptext/StackProbe.h"

namespace ts {

const bool kCalleeRemovesArguments = true;

ProbedCall CallAndMeasureStack(HelpTextFn fn, int tipNr, int helpKind)
{
    const char* text = nullptr;
    std::uintptr_t before = 0;
    std::uintptr_t after = 0;
    int tipReg = tipNr;
    int kindReg = helpKind;
    asm volatile("movl %%esp, %%esi\n\t"
                 "pushl %%edx\n\t"
                 "pushl %%ecx\n\t"
                 "call *%%ebx\n\t"
                 "movl %%esp, %%edi\n\t"
                 "movl %%esi, %%esp\n\t"
                 : "=a"(text), "=S"(before), "=D"(after), "+c"(tipReg), "+d"(kindReg)
                 : "b"(fn)
                 : "memory", "cc");
    return {text, static_cast<std::intptr_t>(after - before)};
}

} // namespace ts
