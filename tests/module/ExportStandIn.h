#pragma once
// A stand-in for ModulCreate in the export convention of this architecture
// (ExportStandIn_i686.cpp, ExportStandIn_x86_64.cpp), for tests of the caller side.
#include <windows.h>

namespace ts {

// Stores the ten arguments it receives, in order, in ReceivedArguments() and returns 42.
FARPROC RecordTenExport();
const int* ReceivedArguments();

// The head of the thread's chain of exception frames (FS:0) on i686; null on x86_64,
// which finds handlers through tables instead.
void* ExceptionChainHead();

} // namespace ts
