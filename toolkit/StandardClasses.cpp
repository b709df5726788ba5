#include "toolkit/StandardClasses.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/ImageList.h"
#include "toolkit/Label.h"
#include "toolkit/Memo.h"
#include "toolkit/Panel.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/StaticText.h"

namespace tk {

void RegisterStandardClasses()
{
    TForm::StaticClass();
    TEdit::StaticClass();
    TMemo::StaticClass();
    TStaticText::StaticClass();
    TPanel::StaticClass();
    TLabel::StaticClass();
    TSpeedButton::StaticClass();
    TImageList::StaticClass();
    TPopupMenu::StaticClass();
    TMenuItem::StaticClass();
}

} // namespace tk
