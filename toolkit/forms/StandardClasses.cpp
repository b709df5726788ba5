#include "toolkit/forms/StandardClasses.h"
#include "toolkit/forms/Form.h"
#include "toolkit/widgets/Edit.h"
#include "toolkit/widgets/ImageList.h"
#include "toolkit/widgets/Label.h"
#include "toolkit/widgets/Memo.h"
#include "toolkit/widgets/Panel.h"
#include "toolkit/widgets/PopupMenu.h"
#include "toolkit/widgets/SpeedButton.h"
#include "toolkit/widgets/StaticText.h"

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
