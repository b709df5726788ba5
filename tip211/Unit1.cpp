#include "tip211/Unit1.h"
#include "toolkit/ClassInfo.h"

const tk::TClassInfo& TFormTipp211::StaticClass()
{
    static const tk::TClassInfo& info = tk::TClassInfo::Define(
        "TFormTipp211", &TfrmTippTemplate::StaticClass(), nullptr, [](tk::TClassInfo& c) {
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

void TFormTipp211::Sprache(std::int32_t language)
{
    TfrmTippTemplate::Sprache(language);
}

void TFormTipp211::FormCreate(tk::TObject* sender)
{
    TfrmTippTemplate::FormCreate(sender);
}

// Loading, change tracking, Undo and saving of the two keys are not built yet; the
// handlers pass on to the template's where it has one.
void TFormTipp211::HotSpeedButtonUndoClick(tk::TObject* sender)
{
    TfrmTippTemplate::HotSpeedButtonUndoClick(sender);
}

void TFormTipp211::T228_Edit_PagingDriveChange(tk::TObject*) {}

void TFormTipp211::HotSpeedButtonOKClick(tk::TObject* sender)
{
    TfrmTippTemplate::HotSpeedButtonOKClick(sender);
    NeuStart();
}
