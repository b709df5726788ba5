#include "tip211/Unit1.h"
#include "template/ModuleState.h"
#include "toolkit/base/ClassInfo.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/system/IniFile.h"

namespace {

constexpr char kFile[] = "System.INI"; // in the Windows folder
constexpr char kSection[] = "386Enh";
constexpr char kDriveKey[] = "PagingDrive";
constexpr char kFileKey[] = "PagingFile";

std::string InLanguage(const char* german, const char* english)
{
    return ModuleState::Language == 1 ? english : german;
}

// A value with a line break or a NUL would not stay one key, and one longer than the
// profile functions take would not be written whole: either is refused before anything
// is written.
void RequireStorable(const char* key, const std::string& value)
{
    if (!tk::TIniFile::IsOneLine(value))
        throw tk::EIniFileException(
            key + InLanguage(": Der Wert darf keinen Zeilenumbruch enthalten. Es wurde nichts gespeichert.",
                             ": The value must not contain a line break. Nothing was saved."));
    if (value.size() > tk::TIniFile::kMaxValueLength) {
        const std::string most = std::to_string(tk::TIniFile::kMaxValueLength);
        throw tk::EIniFileException(
            key +
            InLanguage(": Der Wert darf h\xF6"
                       "chstens ",
                       ": The value must not be longer than ") +
            most + InLanguage(" Zeichen lang sein. Es wurde nichts gespeichert.", " characters. Nothing was saved."));
    }
}

// An empty field stands for an absent key.
void Store(tk::TIniFile& ini, const char* key, const std::string& value)
{
    if (value.empty()) ini.DeleteKey(kSection, key);
    else ini.WriteString(kSection, key, value);
}

} // namespace

const tk::TClassInfo& TFormTipp211::StaticClass()
{
    static const tk::TClassInfo& info =
        tk::TClassInfo::Define("TFormTipp211", &TfrmTippTemplate::StaticClass(), nullptr, [](tk::TClassInfo& c) {
            c.Field("T228_Label_PagingDrive", &TFormTipp211::T228_Label_PagingDrive);
            c.Field("T228_Edit_PagingDrive", &TFormTipp211::T228_Edit_PagingDrive);
            c.Field("T228_Edit_PagingFile", &TFormTipp211::T228_Edit_PagingFile);
            c.Field("T228_Label_PagingFile", &TFormTipp211::T228_Label_PagingFile);
            c.Published("FormCreate", &TFormTipp211::FormCreate);
            c.Published("HotSpeedButtonUndoClick", &TFormTipp211::HotSpeedButtonUndoClick);
            c.Published("T228_Edit_PagingDriveChange", &TFormTipp211::T228_Edit_PagingDriveChange);
            c.Published("HotSpeedButtonOKClick", &TFormTipp211::HotSpeedButtonOKClick);
        });
    return info;
}

TFormTipp211::TFormTipp211(tk::TComponent* owner) : TfrmTippTemplate(owner) {}

void TFormTipp211::Sprache(std::int32_t language) { TfrmTippTemplate::Sprache(language); }

void TFormTipp211::FormCreate(tk::TObject* sender)
{
    TfrmTippTemplate::FormCreate(sender);
    if (!ModuleState::Supported) {
        m_values = Values::NotLoaded;
        return;
    }
    LoadValues();
}

void TFormTipp211::LoadValues()
{
    tk::TIniFile ini(kFile);
    // A file that another program holds open without sharing reads as if every key were
    // absent: such values are unknown, not empty.
    const bool readableBefore = ini.CanOpen(GENERIC_READ);
    m_loading = true;
    const std::string drive = ini.ReadString(kSection, kDriveKey, "");
    T228_Edit_PagingDrive->SetText(drive);
    const std::string file = ini.ReadString(kSection, kFileKey, "");
    T228_Edit_PagingFile->SetText(file);
    m_loading = false;
    // A field that could not take a value whole would save it cut.
    const bool whole = T228_Edit_PagingDrive->Text() == drive && T228_Edit_PagingFile->Text() == file;
    m_values = readableBefore && whole && ini.CanOpen(GENERIC_READ) ? Values::Loaded : Values::Unknown;
}

void TFormTipp211::T228_Edit_PagingDriveChange(tk::TObject*)
{
    if (!ModuleState::FormShown || m_loading) return;
    HotSpeedButtonOK->SetEnabled(true);
    ModuleState::Saved = false;
    ModuleState::Changed = true;
}

void TFormTipp211::HotSpeedButtonUndoClick(tk::TObject* sender)
{
    T228_Edit_PagingDrive->SetText("");
    T228_Edit_PagingFile->SetText("");
    TfrmTippTemplate::HotSpeedButtonUndoClick(sender);
}

void TFormTipp211::HotSpeedButtonOKClick(tk::TObject* sender)
{
    // On a system the tip does not apply to the fields were never loaded: saving them
    // would remove both keys. Only the host can ask for it; nothing happens.
    if (m_values == Values::NotLoaded) return;
    if (m_values == Values::Unknown)
        throw tk::EIniFileException(
            InLanguage("System.INI lie\xDF sich beim \xD6"
                       "ffnen des Fensters nicht lesen. Es wurde nichts gespeichert.",
                       "System.INI could not be read when the window opened. Nothing was saved."));

    const std::string drive = T228_Edit_PagingDrive->Text();
    const std::string file = T228_Edit_PagingFile->Text();
    RequireStorable(kDriveKey, drive);
    RequireStorable(kFileKey, file);
    {
        tk::TIniFile ini(kFile);
        Store(ini, kDriveKey, drive);
        Store(ini, kFileKey, file);
    }

    // The host may answer the saved notice by closing the window. The settings are saved
    // all the same, so the restart question is still asked.
    TfrmTippTemplate::HotSpeedButtonOKClick(sender);
    NeuStart();
}
