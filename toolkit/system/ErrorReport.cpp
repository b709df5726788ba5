#include "toolkit/system/ErrorReport.h"
#include "toolkit/system/Dialogs.h"

#include <exception>

namespace tk {

void HandleException(std::exception_ptr failure)
{
    // The report itself must never throw back into Windows' message dispatch.
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        ShowErrorReport(e.what());
    } catch (...) {
        ShowErrorReport("Unknown error");
    }
}

} // namespace tk
