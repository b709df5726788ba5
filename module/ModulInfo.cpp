// The exported functions that report the module state to the host.
#include "contract/ModuleContract.h"
#include "template/ModuleState.h"

// 0 nothing changed, 1 changed and not saved, 2 changed and saved.
extern "C" int ModulChangedImpl()
{
    if (!ModuleState::Changed) return ModuleApi::kUnchanged;
    return ModuleState::Saved ? ModuleApi::kChangedSaved : ModuleApi::kChangedUnsaved;
}

// 1 once the defaults were restored, else 2.
extern "C" int ModulNrImpl()
{
    return ModuleState::DefaultsRestored ? ModuleApi::kDefaultsRestored : ModuleApi::kDefaultsKept;
}
