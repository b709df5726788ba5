#pragma once
// The standard handling of a failure that an event or message handler raised: it is
// reported to the user in a message box and goes no further.
#include <exception>

namespace tk {

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
