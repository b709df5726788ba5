// The calls into a module on i686: the register convention of the host's toolkit, and a
// guard frame on the FS:0 chain that turns a module failure into a result. In assembly:
// C++ can express neither the convention nor a structured exception handler with GCC.
#include "contract/ModuleCaller.h"

extern "C" {
// int (fn): an export without arguments; EBX, ESI, EDI and EBP are kept whatever it does.
int TippCallRegister0(FARPROC fn);
// int (fn, a1 .. a10): a1..a3 travel in EAX, EDX, ECX, a4..a10 are pushed in that order
// (a10 next to the return address) and removed by the callee.
int TippCallRegister10(FARPROC fn, int, int, int, int, int, int, const char*, const char*, int, int);
// int (fn, failure, handler): calls fn inside an exception frame on the FS:0 chain
// (GuardFrame below). The handler copies a module failure's text, unwinds the frames above
// this one and resumes at the frame's resume address with ESP pointing at the frame; the
// result is then 0.
int TippCallGuardedFrame(FARPROC fn, ModuleApi::Failure* failure, void* handler);
}

asm(R"(
    .text
    .globl _TippCallRegister0
_TippCallRegister0:
    movl 4(%esp), %ecx
    pushl %ebx
    pushl %esi
    pushl %edi
    pushl %ebp
    call *%ecx
    popl %ebp
    popl %edi
    popl %esi
    popl %ebx
    ret

    .globl _TippCallRegister10
_TippCallRegister10:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    pushl 24(%ebp)
    pushl 28(%ebp)
    pushl 32(%ebp)
    pushl 36(%ebp)
    pushl 40(%ebp)
    pushl 44(%ebp)
    pushl 48(%ebp)
    movl 12(%ebp), %eax
    movl 16(%ebp), %edx
    movl 20(%ebp), %ecx
    call *8(%ebp)
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret

    .globl _TippCallGuardedFrame
_TippCallGuardedFrame:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    pushl $1f
    pushl 12(%ebp)
    pushl %ebp
    pushl 16(%ebp)
    pushl %fs:0
    movl %esp, %fs:0
    call *8(%ebp)
    jmp 2f
1:
    xorl %eax, %eax
2:
    movl (%esp), %ecx
    movl %ecx, %fs:0
    addl $20, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

namespace ModuleApi {
namespace {

// The exception frame TippCallGuardedFrame builds on its stack.
struct GuardFrame {
    void* previous;
    void* handler;
    DWORD ebp;
    Failure* out;
    DWORD resume;
};

// Catches module failures only; every other exception goes on to outer handlers.
EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT* context, void*)
{
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
    if (record->ExceptionCode != kFailureCode) return ExceptionContinueSearch;
    auto* guard = static_cast<GuardFrame*>(frame);
    guard->out->raised = true;
    const char* text =
        record->NumberParameters >= 1 ? reinterpret_cast<const char*>(record->ExceptionInformation[0]) : nullptr;
    guard->out->text = text ? text : "";
    ::RtlUnwind(frame, nullptr, record, nullptr);
    context->Eip = guard->resume;
    context->Esp = reinterpret_cast<DWORD>(frame);
    context->Ebp = guard->ebp;
    return ExceptionContinueExecution;
}

} // namespace

int Call(FARPROC fn) { return TippCallRegister0(fn); }

int CallCreate(FARPROC fn, int left, int top, int width, int height, int osType, int language, const char* caption,
               const char* hint, int osMask, int tippNr)
{
    return TippCallRegister10(fn, left, top, width, height, osType, language, caption, hint, osMask, tippNr);
}

int CallGuarded(FARPROC fn, Failure& failure)
{
    failure = {};
    return TippCallGuardedFrame(fn, &failure, reinterpret_cast<void*>(&GuardHandler));
}

} // namespace ModuleApi
