#pragma once
// The tips the host offers: each Tipp*.dll in the program's folder, described by the
// catalog file Tipps.ini beside it. A section named after the DLL holds
//
//   Nr=211                     tip number, handed to ModulCreate and GetHelpText
//   CaptionDE=, CaptionEN=     the tip's caption in German and English
//   HintDE=, HintEN=           a line that says what the tip does
//   OSMask=0x9FF               the systems it is valid for (bit n-1 for OSType n)
#include <string>
#include <vector>

namespace Host {

struct Tip {
    std::string file; // "Tipp211.dll"
    int nr = 0;
    std::string caption[2]; // [0] German, [1] English
    std::string hint[2];
    unsigned osMask = 0;

    [[nodiscard]] const std::string& Caption(int language) const { return caption[language == 1 ? 1 : 0]; }
    [[nodiscard]] const std::string& Hint(int language) const { return hint[language == 1 ? 1 : 0]; }
};

// The catalog's entry for one DLL. A DLL the catalog does not describe keeps the number
// in its name, its name as caption and OSMask 0: its window then disables itself.
Tip ReadTip(const std::string& catalogPath, const std::string& dllName);

// The folder of the running program, where the tips and their catalog lie.
std::string ProgramFolder();

// The tips in `folder`, ordered by number.
std::vector<Tip> FindTips(const std::string& folder);

} // namespace Host
