#pragma once
// Keeps alive what a running handler may come back to. A handler of the toolkit's windows
// (a window message, or a call of the program into a form) can wait: in a modal box, a
// popup menu or a broadcast, whose message loops run other handlers meanwhile. One of those
// may end the form the waiting handler belongs to. The form's windows then go at once, but
// the object is freed only when the outermost handler has returned, so that no handler
// ever comes back to freed memory.
#include "toolkit/base/Component.h"

namespace tk {

// One per running handler, on the GUI thread.
class HandlerScope {
public:
    HandlerScope() { ++s_depth; }
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

    // Deletes `component` now when no handler runs, else when the outermost one returns.
    static void Free(TComponent* component);

private:
    static int s_depth;
};

} // namespace tk
