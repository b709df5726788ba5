#include "controls/HotSpeedButton.h"
#include "toolkit/base/ClassInfo.h"

const tk::TClassInfo& THotSpeedButton::StaticClass()
{
    static const tk::TClassInfo& info = tk::TClassInfo::Define(
        "THotSpeedButton", &tk::TSpeedButton::StaticClass(),
        [](tk::TComponent* owner) -> tk::TComponent* { return new THotSpeedButton(owner); },
        [](tk::TClassInfo& c) {
            c.Reference("Images", &THotSpeedButton::SetImages);
            c.Integer("ImageIndex", &THotSpeedButton::SetImageIndex);
            c.Integer("HotImageIndex", &THotSpeedButton::SetHotImageIndex);
        });
    return info;
}

THotSpeedButton::THotSpeedButton(tk::TComponent* owner) : tk::TSpeedButton(owner)
{
    ShowImage(m_imageIndex);
    SetFlat(true);
    SetWidth(36);
    SetHeight(36);
}

// Puts image `index` of the list on the face; without a list the face shows no glyph.
// The index goes to the list unchecked.
void THotSpeedButton::ShowImage(int index)
{
    Glyph().Clear();
    if (m_images) m_images->GetBitmap(index, Glyph());
}

void THotSpeedButton::SetImages(tk::TImageList* images)
{
    m_images = images;
    if (images) images->FreeNotification(this);
    ShowImage(m_imageIndex);
}

void THotSpeedButton::SetImageIndex(int index)
{
    m_imageIndex = index;
    ShowImage(index);
}

void THotSpeedButton::SetHotImageIndex(int index) { m_hotImageIndex = index; }

void THotSpeedButton::Notification(tk::TComponent* component, tk::TOperation operation)
{
    tk::TSpeedButton::Notification(component, operation);
    if (operation == tk::TOperation::opRemove && m_images && component == m_images) SetImages(nullptr);
}

void THotSpeedButton::CMMouseEnter(tk::TMessage& message)
{
    ShowImage(m_hotImageIndex);
    SetCursor(tk::crHandPoint);
    tk::TSpeedButton::CMMouseEnter(message);
}

void THotSpeedButton::CMMouseLeave(tk::TMessage& message)
{
    ShowImage(m_imageIndex);
    SetCursor(tk::crDefault);
    tk::TSpeedButton::CMMouseLeave(message);
}
