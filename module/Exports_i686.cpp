// The exported entry points on i686, in the host's register calling convention: the first
// three arguments in EAX, EDX and ECX, the rest pushed in argument order (so the last
// argument lies next to the return address) and removed by the callee; the result in EAX.
// Each thunk passes the arguments on to a plain C function.

extern "C" int ModulCreateImpl(int, int, int, int, int, int, const char*, const char*, int, int);
extern "C" int ModulFreeImpl();
extern "C" int ModulSaveChangesImpl();
extern "C" int ModulChangedImpl();
extern "C" int ModulNrImpl();

asm(R"(
    .text
    .globl _Tipp211_ModulCreate
    .def _Tipp211_ModulCreate; .scl 2; .type 32; .endef
_Tipp211_ModulCreate:
    pushl %ebp
    movl %esp, %ebp
    pushl 8(%ebp)       # TippNr
    pushl 12(%ebp)      # OSMask
    pushl 16(%ebp)      # Hint
    pushl 20(%ebp)      # Caption
    pushl 24(%ebp)      # Language
    pushl 28(%ebp)      # OSType
    pushl 32(%ebp)      # Height
    pushl %ecx          # Width
    pushl %edx          # Top
    pushl %eax          # Left
    call _ModulCreateImpl
    movl %ebp, %esp
    popl %ebp
    ret $28

    # The exports without arguments jump to their C function: it takes nothing from the
    # stack, keeps EBX, ESI, EDI and EBP and returns in EAX, as the host expects.
    .macro jump_to_impl name
    .globl _Tipp211_\name
    .def _Tipp211_\name; .scl 2; .type 32; .endef
_Tipp211_\name:
    jmp _\name\()Impl
    .endm

    jump_to_impl ModulFree
    jump_to_impl ModulSaveChanges
    jump_to_impl ModulChanged
    jump_to_impl ModulNr
)");
