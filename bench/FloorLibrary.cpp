// A library without code of its own and without a C runtime: what loading and freeing
// any library costs the process here. The floor under the load figure.
#include <windows.h>

extern "C" BOOL WINAPI FloorEntry(HINSTANCE, DWORD, LPVOID) { return TRUE; }
