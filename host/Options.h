#pragma once
// The host's command line:
//
//   Sorvanti.exe [--tip NR] [--language 0|1] [--ostype N] [--report FILE] [STEP...]
//
// --tip opens that tip first (else the first in the list), --language and --ostype
// replace the stored language and the running system's OSType for this run, --report
// writes what happens to FILE. STEPs make a scripted session (host/script/Script.h).
#include "host/script/Script.h"

#include <string>
#include <vector>

namespace Host {

struct Options {
    int tip = 0;       // 0: the first in the list
    int language = -1; // -1: the stored choice
    int osType = -1;   // -1: the running system's
    std::string report;
    std::vector<Step> steps;
};

// Throws std::invalid_argument naming an unknown option or a step without its arguments.
Options ParseOptions(int argc, char** argv);

} // namespace Host
