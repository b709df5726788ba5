#include "toolkit/base/HandlerScope.h"

#include <vector>

namespace tk {

namespace {
std::vector<TComponent*>& Pending()
{
    static std::vector<TComponent*> pending;
    return pending;
}
} // namespace

int HandlerScope::s_depth = 0;

HandlerScope::~HandlerScope()
{
    if (s_depth > 1) {
        --s_depth;
        return;
    }
    // Freeing runs destructors, which may handle messages of their own: they find the
    // scope still open and queue what they free, for this loop to take.
    while (!Pending().empty()) {
        TComponent* component = Pending().back();
        Pending().pop_back();
        delete component;
    }
    s_depth = 0;
}

void HandlerScope::Free(TComponent* component)
{
    if (s_depth > 0) Pending().push_back(component);
    else delete component;
}

} // namespace tk
