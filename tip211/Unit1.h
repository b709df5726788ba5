#pragma once
// TFormTipp211: the paging-file tip. Two labelled fields over the template window hold
// the PagingDrive and PagingFile keys of section 386Enh in System.INI (stored layout
// TFormTipp211).
#include "template/MainTippU.h"
#include "toolkit/widgets/Edit.h"
#include "toolkit/widgets/Label.h"

class TFormTipp211 : public TfrmTippTemplate {
public:
    explicit TFormTipp211(tk::TComponent* owner);

    static const tk::TClassInfo& StaticClass();
    const tk::TClassInfo& ClassType() const override { return StaticClass(); }

    tk::TLabel* T228_Label_PagingDrive = nullptr;
    tk::TEdit* T228_Edit_PagingDrive = nullptr;
    tk::TEdit* T228_Edit_PagingFile = nullptr;
    tk::TLabel* T228_Label_PagingFile = nullptr;

    // Published handlers, in declared order. Those named like the template's call the
    // template's version themselves.
    void Sprache(std::int32_t language) override;
    void FormCreate(tk::TObject* sender) override;
    void HotSpeedButtonUndoClick(tk::TObject* sender) override;
    void T228_Edit_PagingDriveChange(tk::TObject* sender);
    void HotSpeedButtonOKClick(tk::TObject* sender) override;

private:
    // What the fields stand for. Unknown until the values were read whole, so that a
    // window whose start-up failed, or that found System.INI locked, never saves fields
    // that only look empty.
    enum class Values { Unknown, NotLoaded, Loaded };
    void LoadValues();

    Values m_values = Values::Unknown;
    bool m_loading = false; // the fields are being filled from the file: no user change
};
