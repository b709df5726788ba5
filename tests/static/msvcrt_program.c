/* A program of GCC's default C runtime, msvcrt.dll: the import check must refuse it. */
#include <stdio.h>

int main(void) { return puts("") == EOF; }
