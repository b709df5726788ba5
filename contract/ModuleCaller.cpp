#include "contract/ModuleCaller.h"

namespace ModuleApi {

bool Module::Bind(HMODULE module)
{
    library = module;
    create = ::GetProcAddress(module, "ModulCreate");
    free = ::GetProcAddress(module, "ModulFree");
    saveChanges = ::GetProcAddress(module, "ModulSaveChanges");
    changed = ::GetProcAddress(module, "ModulChanged");
    nr = ::GetProcAddress(module, "ModulNr");
    return create && free && saveChanges && changed && nr;
}

} // namespace ModuleApi
