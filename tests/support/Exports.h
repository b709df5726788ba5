#pragma once
// A function as a DLL exports it, whatever a program's import table says.
#include <windows.h>

namespace ts {

inline void* RealExport(const char* dll, const char* function)
{
    return reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA(dll), function));
}

} // namespace ts
