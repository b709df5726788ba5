#pragma once
// How a C++ host drives a tip module (Tipp211.dll and its kin).
//
// Lifecycle: LoadLibrary -> ModulCreate (creates and shows the tip window) -> any number
// of ModulChanged, ModulNr and ModulSaveChanges -> ModulFree (destroys the window) ->
// FreeLibrary. ModulChanged and ModulNr may also be called before ModulCreate.
//
// The five exports use the register calling convention of the host's toolkit: the first
// three arguments in EAX, EDX and ECX, the rest pushed in argument order, removed by the
// callee; the result in EAX. Texts are zero-terminated 8-bit strings (code page 1252) or
// null for an empty text; the module copies them at once. C++ exceptions never cross the
// boundary: ModulSaveChanges reports a failure as a structured exception with code
// kFailureCode whose one argument points at the failure's text.
#include <windows.h>

#include <string>

namespace ModuleApi {

inline constexpr DWORD kFailureCode = 0xE0544950; // "TIP" with the customer bit set

// ModulChanged results.
inline constexpr int kUnchanged = 0;
inline constexpr int kChangedUnsaved = 1;
inline constexpr int kChangedSaved = 2;

struct Failure {
    bool raised = false;
    std::string text;
};

} // namespace ModuleApi

namespace ModuleApi {

// The calls themselves, in assembly: C++ cannot express the register convention or
// catch a structured exception on i686 with GCC. Naked inline functions, so that every
// file including this header may carry them.

// int (void* fn): calls a register-convention function without arguments.
[[gnu::naked]] inline int CallRegister0(void*)
{
    asm(R"(
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
    )");
}

// int (void* fn, a1 .. a10): a1..a3 travel in EAX, EDX, ECX, a4..a10 are pushed in that
// order (a10 next to the return address) and removed by the callee.
[[gnu::naked]] inline int CallRegister10(void*, int, int, int, int, int, int, int, int, int, int)
{
    asm(R"(
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
    )");
}

struct Failure;

// int (void* fn, Failure* out, void* handler): calls a register-convention function
// without arguments inside an exception frame on the FS:0 chain (see GuardFrame). The
// handler copies a module failure's text, unwinds the frames above this one and resumes
// at the frame's resume address with ESP pointing at the frame; the result is then 0.
[[gnu::naked]] inline int CallGuardedFrame(void*, Failure*, void*)
{
    asm(R"(
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
}

} // namespace ModuleApi

namespace ModuleApi {

// The exception frame CallGuardedFrame builds on its stack.
struct GuardFrame {
    void* previous;
    void* handler;
    DWORD ebp;
    Failure* out;
    DWORD resume;
};

// Catches module failures only; every other exception goes on to outer handlers.
inline EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT* context, void*)
{
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
    if (record->ExceptionCode != kFailureCode) return ExceptionContinueSearch;
    auto* guard = static_cast<GuardFrame*>(frame);
    guard->out->raised = true;
    const char* text = record->NumberParameters >= 1 ? reinterpret_cast<const char*>(record->ExceptionInformation[0]) : nullptr;
    guard->out->text = text ? text : "";
    ::RtlUnwind(frame, nullptr, record, nullptr);
    context->Eip = guard->resume;
    context->Esp = reinterpret_cast<DWORD>(frame);
    context->Ebp = guard->ebp;
    return ExceptionContinueExecution;
}

inline int Call(FARPROC fn)
{
    return CallRegister0(reinterpret_cast<void*>(fn));
}

// Calls a no-argument export; a module failure lands in `failure` and the result is 0.
inline int CallGuarded(FARPROC fn, Failure& failure)
{
    failure = {};
    return CallGuardedFrame(reinterpret_cast<void*>(fn), &failure, reinterpret_cast<void*>(&GuardHandler));
}

// The five exports of a loaded module; a host frees the library when one is missing.
struct Module {
    HMODULE library = nullptr;
    FARPROC create = nullptr, free = nullptr, saveChanges = nullptr, changed = nullptr, nr = nullptr;

    bool Bind(HMODULE module)
    {
        library = module;
        create = ::GetProcAddress(module, "ModulCreate");
        free = ::GetProcAddress(module, "ModulFree");
        saveChanges = ::GetProcAddress(module, "ModulSaveChanges");
        changed = ::GetProcAddress(module, "ModulChanged");
        nr = ::GetProcAddress(module, "ModulNr");
        return create && free && saveChanges && changed && nr;
    }

    int Create(int left, int top, int width, int height, int osType, int language, const char* caption,
               const char* hint, int osMask, int tippNr) const
    {
        return CallRegister10(reinterpret_cast<void*>(create), left, top, width, height, osType, language,
                                        static_cast<int>(reinterpret_cast<INT_PTR>(caption)),
                                        static_cast<int>(reinterpret_cast<INT_PTR>(hint)), osMask, tippNr);
    }
    int Free() const { return Call(free); }
    int Changed() const { return Call(changed); }
    int Nr() const { return Call(nr); }
    int SaveChanges(Failure& failure) const { return CallGuarded(saveChanges, failure); }
};

} // namespace ModuleApi
