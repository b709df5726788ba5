#include "helptext/Texts.h"
#include "contract/HelpKinds.h"

namespace sorvhelp {
namespace {

struct HelpEntry {
    int tipNr;
    int helpKind;
    const char* text;
};

// German texts are code page 1252: "\xE4" ä, "\xF6" ö, "\xFC" ü, "\xDF" ß, "\xC4" Ä; a
// literal is split where the next letter would extend the escape ("w\xE4" "chst").
// Lines are separated by CR LF, the last line has no line break.
constexpr HelpEntry kEntries[] = {
    {211, HelpKind::kGerman,
     "Auslagerungsdatei (Swap-Datei) von Windows verschieben oder umbenennen\r\n"
     "PagingDrive im Abschnitt [386Enh] der Datei System.INI: das Laufwerk der "
     "Auslagerungsdatei, z. B. D:\r\n"
     "PagingFile: vollst\xE4ndiger Pfad und Name der Auslagerungsdatei, z. B. D:\\WIN386.SWP\r\n"
     "Beispiel: PagingDrive=D: und PagingFile=D:\\WIN386.SWP legen die Datei in das "
     "Stammverzeichnis von Laufwerk D:.\r\n"
     "Ein leeres Feld entfernt den Schl\xFCssel; Windows verwendet dann die Vorgabe:\r\n"
     "WIN386.SWP im Windows-Ordner des Startlaufwerks.\r\n"
     "W\xE4hlen Sie ein lokales Laufwerk mit gen\xFCgend freiem Speicherplatz, denn die "
     "Datei w\xE4"
     "chst bei Bedarf.\r\n"
     "Die \xC4nderung wird erst nach einem Neustart wirksam; nach OK bietet der Tipp den "
     "Neustart an."},
    {211, HelpKind::kEnglish,
     "Moving or renaming the Windows paging file (swap file)\r\n"
     "PagingDrive in section [386Enh] of System.INI: the drive that holds the paging file, "
     "e.g. D:\r\n"
     "PagingFile: the full path and name of the paging file, e.g. D:\\WIN386.SWP\r\n"
     "Example: PagingDrive=D: and PagingFile=D:\\WIN386.SWP put the file in the root folder "
     "of drive D:.\r\n"
     "An empty field removes the key; Windows then uses its default:\r\n"
     "WIN386.SWP in the Windows folder of the boot drive.\r\n"
     "Choose a local drive with enough free space, as the file grows when needed.\r\n"
     "The change takes effect only after a restart; after OK the tip offers to restart."},
    // The key as the registry editor stores it in its LastKey value, so that it opens there.
    {211, HelpKind::kRegistryKey,
     "My Computer\\HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Session Manager\\"
     "Memory Management"},
};

} // namespace

const char* FindText(int tipNr, int helpKind) noexcept
{
    for (const HelpEntry& entry : kEntries) {
        if (entry.tipNr == tipNr && entry.helpKind == helpKind) {
            return entry.text;
        }
    }
    return nullptr;
}

} // namespace sorvhelp
