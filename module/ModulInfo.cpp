// The exported functions that report the module state to the host.
#include "template/ModuleState.h"

// 0 nothing changed, 1 changed and not saved, 2 changed and saved.
extern "C" int ModulChangedImpl()
{
    if (!ModuleState::Changed) return 0;
    return ModuleState::Saved ? 2 : 1;
}

// 1 once the defaults were restored, else 2.
extern "C" int ModulNrImpl()
{
    return ModuleState::DefaultsRestored ? 1 : 2;
}
