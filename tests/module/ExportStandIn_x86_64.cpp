// On x86_64 the stand-in is a plain function, as the module's exports are.
#include "tests/module/ExportStandIn.h"

namespace {

int g_received[10];

int RecordTen(int a1, int a2, int a3, int a4, int a5, int a6, const char* a7, const char* a8, int a9, int a10)
{
    const int values[10] = {a1,
                            a2,
                            a3,
                            a4,
                            a5,
                            a6,
                            static_cast<int>(reinterpret_cast<INT_PTR>(a7)),
                            static_cast<int>(reinterpret_cast<INT_PTR>(a8)),
                            a9,
                            a10};
    for (int i = 0; i < 10; ++i) g_received[i] = values[i];
    return 42;
}

} // namespace

namespace ts {

FARPROC RecordTenExport() { return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&RecordTen)); }
const int* ReceivedArguments() { return g_received; }
void* ExceptionChainHead() { return nullptr; }

} // namespace ts
