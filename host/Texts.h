#pragma once
// What the host window says, in German (language 0) and English (language 1).
namespace Host {

struct Texts {
    const char* tips;
    const char* language;
    const char* save;
    const char* ready;
    const char* notValid;
    const char* saved;
    const char* savedDefaults;
    const char* notSaved;
    const char* askSave; // followed by the tip's caption and askSaveEnd
    const char* askSaveEnd;
    const char* noTips;
    const char* cannotLoad;
};

// 1 is English, anything else German.
const Texts& TextsIn(int language);

} // namespace Host
