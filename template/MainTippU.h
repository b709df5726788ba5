#pragma once
// TfrmTippTemplate: the window every tip derives from. It brings the frame, the title,
// the German and English help texts, the four command buttons and the context menu
// (stored layout TfrmTippTemplate), start-up and language, and the window procedure that
// obeys the host's broadcast commands.
#include "controls/HotSpeedButton.h"
#include "toolkit/forms/Form.h"
#include "toolkit/widgets/Memo.h"
#include "toolkit/widgets/MenuItem.h"
#include "toolkit/widgets/Panel.h"
#include "toolkit/widgets/PopupMenu.h"
#include "toolkit/widgets/StaticText.h"

#include <cstdint>

class TfrmTippTemplate : public tk::TForm {
public:
    explicit TfrmTippTemplate(tk::TComponent* owner);

    static const tk::TClassInfo& StaticClass();
    const tk::TClassInfo& ClassType() const override { return StaticClass(); }

    // Components of the layout, in declared order.
    tk::TPopupMenu* PopupMenu1 = nullptr;
    tk::TMenuItem* Fensterwechseln1 = nullptr;
    tk::TImageList* ImageList1 = nullptr;
    tk::TPanel* PanelRightBorder = nullptr;
    tk::TPanel* PanelLeftBorder = nullptr;
    tk::TPanel* PanelTopBorder = nullptr;
    tk::TPanel* PanelBottomBorder = nullptr;
    tk::TMemo* MemoHelpD = nullptr;
    tk::TStaticText* StaticTextTitle = nullptr;
    tk::TMemo* MemoHelpUS = nullptr;
    THotSpeedButton* HotSpeedButtonOK = nullptr;
    THotSpeedButton* HotSpeedButtonUndo = nullptr;
    THotSpeedButton* HotSpeedButtonInfo = nullptr;
    THotSpeedButton* HotSpeedButtonRegistry = nullptr;

    // Published methods, in declared order. Those a tip re-declares are virtual: the most
    // derived one runs, however it is reached; each calls the template's version itself.
    virtual void Sprache(std::int32_t language);
    void NeuStart();
    void WndProc(tk::TMessage& message) override;
    virtual void FormCreate(tk::TObject* sender);
    void FormShow(tk::TObject* sender);
    void Fensterwechseln1Click(tk::TObject* sender);
    virtual void HotSpeedButtonUndoClick(tk::TObject* sender);
    virtual void HotSpeedButtonOKClick(tk::TObject* sender);
    void HotSpeedButtonRegistryClick(tk::TObject* sender);
    void HotSpeedButtonInfoClick(tk::TObject* sender);

    // Disables the window except the title, the help texts and the Info and Registry
    // buttons, which a user may still read or use.
    void DisableControls();

    // Enables or disables one privilege of this process's access token; `wasEnabled`, when
    // given, learns whether it was enabled before the call.
    static bool SetPrivilege(const char* name, bool enable, bool* wasEnabled = nullptr);
    // ExitWindowsEx(flags) with the shutdown privilege held for the call; afterwards the
    // privilege is as it was before.
    static bool ExitWindowsWithPrivilege(std::int32_t flags);

    std::int32_t TippNr = 0; // the host's tip number, key of every help-text request

private:
    bool BSControl = true; // whether the operating-system check may disable the window
};
