#pragma once

// Help texts of the tips, served by SorvHelp.dll. The returned text belongs to the library
// (static storage, code page 1252, lines separated by CR LF); null for an unknown tip or kind.
// The kinds are those of contract/HelpKinds.h.

#ifdef SORVHELP_BUILDING
#define SORVHELP_API
#else
#define SORVHELP_API __declspec(dllimport)
#endif

extern "C" SORVHELP_API const char* __stdcall GetHelpText(int tipNr, int helpKind);
