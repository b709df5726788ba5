#include "helptext/GetHelpText.h"

#include "helptext/Texts.h"

extern "C" const char* __stdcall GetHelpText(int tipNr, int helpKind) { return sorvhelp::FindText(tipNr, helpKind); }
