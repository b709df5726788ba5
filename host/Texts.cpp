#include "host/Texts.h"

namespace Host {

namespace {

constexpr Texts kTexts[2] = {
    {"Tipps", "Sprache", "Speichern", "Bereit", "Gilt nicht f\xFCr dieses System", "Gespeichert",
     "Gespeichert, Standardwerte", "Nicht gespeichert", "Die \xC4nderungen an \"",
     "\" sind nicht gespeichert. Jetzt speichern?", "Keine Tipps gefunden", "l\xE4sst sich nicht laden"},
    {"Tips", "Language", "Save", "Ready", "Not valid for this system", "Saved", "Saved, defaults restored", "Not saved",
     "The changes to \"", "\" are not saved. Save them now?", "No tips found", "cannot be loaded"},
};

} // namespace

const Texts& TextsIn(int language) { return kTexts[language == 1 ? 1 : 0]; }

} // namespace Host
