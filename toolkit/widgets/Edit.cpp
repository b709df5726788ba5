#include "toolkit/widgets/Edit.h"
#include "toolkit/base/ClassInfo.h"

namespace tk {

const TClassInfo& TEdit::StaticClass()
{
    static const TClassInfo& info = TClassInfo::Define(
        "TEdit", &TCustomEdit::StaticClass(), [](TComponent* owner) -> TComponent* { return new TEdit(owner); },
        nullptr);
    return info;
}

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) { SetBounds(0, 0, 121, 21); }

TCreateParams TEdit::CreateParams() const
{
    return {"EDIT", WS_CHILD | WS_CLIPSIBLINGS | ES_LEFT | ES_AUTOHSCROLL | EditStyle(), EditExStyle()};
}

} // namespace tk
