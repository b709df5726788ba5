#pragma once
// Calls GetHelpText with the arguments pushed by hand and measures the stack pointer
// around the call (StackProbe_i686.cpp, StackProbe_x86_64.cpp).
#include <cstdint>

namespace ts {

using HelpTextFn = const char*(__stdcall*)(int, int);

// True where GetHelpText must remove its own arguments (stdcall on i686).
extern const bool kCalleeRemovesArguments;

struct ProbedCall {
    const char* text;
    std::intptr_t stackDelta; // the stack pointer after the call minus before the pushes
};

ProbedCall CallAndMeasureStack(HelpTextFn fn, int tipNr, int helpKind);

} // namespace ts
