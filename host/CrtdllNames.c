/* What libstdc++ asks of the C runtime under names that CRTDLL.DLL spells otherwise or
   lacks: its random_device, which nothing of ours constructs, comes in with the
   copy-on-write strings of std::runtime_error. read and close are _read and _close
   there. rand_s (Windows XP's MSVCRT.DLL on) is answered with failure, as a runtime
   without it would: random_device then raises its error instead of drawing from a source
   that is not there. */
#include <errno.h>
#include <io.h>

int read(int fd, void* buffer, unsigned int count) { return _read(fd, buffer, count); }
int close(int fd) { return _close(fd); }

static int __cdecl NoRandS(unsigned int* value)
{
    *value = 0;
    return EINVAL;
}
int(__cdecl* _imp__rand_s)(unsigned int*) = NoRandS;
