// The calls into a module on x86_64: the exports are plain functions of the platform's one
// calling convention. A module failure is caught by a frame whose unwind information names
// a handler of its own (x86_64 finds handlers through tables, not a chain); GCC has no
// __try, so that frame is written in assembly.
#include "contract/ModuleCaller.h"

extern "C" {
// int (fn, failure): calls fn; GuardHandler finds `failure` 40 bytes above the frame's
// stack pointer. A module failure resumes at TippCallGuardedResume with the result 0.
int TippCallGuardedFrame(FARPROC fn, ModuleApi::Failure* failure);
void TippCallGuardedResume();
EXCEPTION_DISPOSITION TippGuardHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT* context,
                                       DISPATCHER_CONTEXT* dispatch);
}

// The nop keeps the return address of the call out of the epilogue: an unwinder that finds
// it there would take the frame for one that is already leaving.
asm(R"(
    .text
    .globl TippCallGuardedFrame
    .def TippCallGuardedFrame; .scl 2; .type 32; .endef
    .seh_proc TippCallGuardedFrame
TippCallGuardedFrame:
    pushq %rbp
    .seh_pushreg %rbp
    subq $48, %rsp
    .seh_stackalloc 48
    .seh_endprologue
    .seh_handler TippGuardHandler, @except
    movq %rdx, 40(%rsp)
    call *%rcx
    nop
    .globl TippCallGuardedResume
TippCallGuardedResume:
    addq $48, %rsp
    popq %rbp
    ret
    .seh_endproc
)");

// Catches module failures only; every other exception goes on to outer handlers.
extern "C" EXCEPTION_DISPOSITION TippGuardHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT* context,
                                                  DISPATCHER_CONTEXT* dispatch)
{
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND | EXCEPTION_TARGET_UNWIND))
        return ExceptionContinueSearch;
    if (record->ExceptionCode != ModuleApi::kFailureCode) return ExceptionContinueSearch;
    auto* failure = *reinterpret_cast<ModuleApi::Failure**>(static_cast<char*>(frame) + 40);
    failure->raised = true;
    const char* text =
        record->NumberParameters >= 1 ? reinterpret_cast<const char*>(record->ExceptionInformation[0]) : nullptr;
    failure->text = text ? text : "";
    // Unwinds the frames above this one and resumes at TippCallGuardedResume with RAX 0.
    ::RtlUnwindEx(frame, reinterpret_cast<void*>(&TippCallGuardedResume), record, nullptr, context,
                  dispatch->HistoryTable);
    return ExceptionContinueSearch; // not reached
}

namespace ModuleApi {
namespace {

// FARPROC names no signature; the export's own is restored through the one function type
// that casts to every other.
template <class F>
F As(FARPROC fn)
{
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(fn));
}

} // namespace

int Call(FARPROC fn) { return As<int (*)()>(fn)(); }

int CallCreate(FARPROC fn, int left, int top, int width, int height, int osType, int language, const char* caption,
               const char* hint, int osMask, int tippNr)
{
    using Create = int (*)(int, int, int, int, int, int, const char*, const char*, int, int);
    return As<Create>(fn)(left, top, width, height, osType, language, caption, hint, osMask, tippNr);
}

int CallGuarded(FARPROC fn, Failure& failure)
{
    failure = {};
    return TippCallGuardedFrame(fn, &failure);
}

} // namespace ModuleApi
