#pragma once
// Process-wide services of the toolkit: the title of its message boxes, the module whose
// resources hold the stored layouts, and the standard handling of a failure that an event
// or message handler raised.
#include <windows.h>
#include <exception>
#include <string>

namespace tk {

// The file name of the running program without folder and extension.
std::string ApplicationTitle();

// The module the toolkit is linked into (a DLL or a program): its resources are searched.
HINSTANCE ToolkitInstance();

// Reports the exception that is being handled (call from a catch block) and swallows it.
void HandleException(std::exception_ptr failure);

// Runs f; a failure it raises goes to the standard report and goes no further.
template <class F>
void Guarded(F&& f)
{
    try {
        f();
    } catch (...) {
        HandleException(std::current_exception());
    }
}

} // namespace tk
