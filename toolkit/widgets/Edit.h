#pragma once
// TEdit: a single-line edit field.
#include "toolkit/widgets/CustomEdit.h"

namespace tk {

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

protected:
    TCreateParams CreateParams() const override;
};

} // namespace tk
