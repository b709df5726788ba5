#pragma once
// The caller side of a tip module's five exports, for a host or a test: binds the exports
// of a loaded library and calls them in the module's calling convention on this
// architecture (ModuleCaller_i686.cpp, ModuleCaller_x86_64.cpp). See ModuleContract.h.
#include "contract/ModuleContract.h"

#include <string>

namespace ModuleApi {

// A module failure caught by CallGuarded, with the text it carried.
struct Failure {
    bool raised = false;
    std::string text;
};

// An export without arguments.
int Call(FARPROC fn);
// ModulCreate's ten arguments, in their order.
int CallCreate(FARPROC fn, int left, int top, int width, int height, int osType, int language, const char* caption,
               const char* hint, int osMask, int tippNr);
// An export without arguments; a module failure (kFailureCode) lands in `failure` and the
// result is then 0. Every other exception goes on to outer handlers.
int CallGuarded(FARPROC fn, Failure& failure);

// The five exports of a loaded module; a host frees the library when one is missing.
struct Module {
    HMODULE library = nullptr;
    FARPROC create = nullptr, free = nullptr, saveChanges = nullptr, changed = nullptr, nr = nullptr;

    bool Bind(HMODULE module);

    int Create(int left, int top, int width, int height, int osType, int language, const char* caption,
               const char* hint, int osMask, int tippNr) const
    {
        return CallCreate(create, left, top, width, height, osType, language, caption, hint, osMask, tippNr);
    }
    int Free() const { return Call(free); }
    int Changed() const { return Call(changed); }
    int Nr() const { return Call(nr); }
    int SaveChanges(Failure& failure) const { return CallGuarded(saveChanges, failure); }
};

} // namespace ModuleApi
