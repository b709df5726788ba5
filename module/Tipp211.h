#pragma once
// The library's one tip window, from ModulCreate until it is destroyed (by ModulFree,
// by the host's close command or by unloading the library); null otherwise.
#include "tip211/Unit1.h"

extern TFormTipp211* TipWindow;
