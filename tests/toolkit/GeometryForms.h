#pragma once
// The windows of the geometry and keyboard tests, whose layouts geometry_forms.rc stores.
#include "tests/support/Pump.h"
#include "toolkit/base/ClassInfo.h"
#include "toolkit/forms/Form.h"

#include <memory>

// A window class whose layout is the RCDATA resource of the same name.
#define GEOMETRY_FORM(ClassName)                                                                                       \
    class ClassName : public tk::TForm {                                                                               \
    public:                                                                                                            \
        using TForm::TForm;                                                                                            \
        static const tk::TClassInfo& StaticClass()                                                                     \
        {                                                                                                              \
            static const tk::TClassInfo& info =                                                                        \
                tk::TClassInfo::Define(#ClassName, &tk::TForm::StaticClass(), nullptr, nullptr);                       \
            return info;                                                                                               \
        }                                                                                                              \
        const tk::TClassInfo& ClassType() const override { return StaticClass(); }                                     \
    };

namespace geometry {

// Creates a window of class Form from its layout, shows it and lets it settle.
template <class Form>
std::unique_ptr<Form> ShowForm()
{
    std::unique_ptr<Form> form(tk::CreateForm<Form>(nullptr));
    form->Show();
    ts::PumpMessages();
    return form;
}

} // namespace geometry
