// The exported entry points on x86_64: plain functions of the platform's one calling
// convention, with the arguments of the i686 exports in the same order. Each passes them
// on to the C function that does the work.

extern "C" int ModulCreateImpl(int, int, int, int, int, int, const char*, const char*, int, int);
extern "C" int ModulFreeImpl();
extern "C" int ModulSaveChangesImpl();
extern "C" int ModulChangedImpl();
extern "C" int ModulNrImpl();

extern "C" int Tipp211_ModulCreate(int left, int top, int width, int height, int osType, int language,
                                   const char* caption, const char* hint, int osMask, int tippNr)
{
    return ModulCreateImpl(left, top, width, height, osType, language, caption, hint, osMask, tippNr);
}

extern "C" int Tipp211_ModulFree() { return ModulFreeImpl(); }
extern "C" int Tipp211_ModulSaveChanges() { return ModulSaveChangesImpl(); }
extern "C" int Tipp211_ModulChanged() { return ModulChangedImpl(); }
extern "C" int Tipp211_ModulNr() { return ModulNrImpl(); }
