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

    .globl _Tipp211_ModulFree
    .def _Tipp211_ModulFree; .scl 2; .type 32; .endef
_Tipp211_ModulFree:
    jmp _ModulFreeImpl

    .globl _Tipp211_ModulSaveChanges
    .def _Tipp211_ModulSaveChanges; .scl 2; .type 32; .endef
_Tipp211_ModulSaveChanges:
    jmp _ModulSaveChangesImpl

    .globl _Tipp211_ModulChanged
    .def _Tipp211_ModulChanged; .scl 2; .type 32; .endef
_Tipp211_ModulChanged:
    jmp _ModulChangedImpl

    .globl _Tipp211_ModulNr
    .def _Tipp211_ModulNr; .scl 2; .type 32; .endef
_Tipp211_ModulNr:
    jmp _ModulNrImpl
)");
