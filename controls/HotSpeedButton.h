#pragma once
// THotSpeedButton: a flat speed button whose face shows image ImageIndex of its image list
// and, while the pointer is over it, image HotImageIndex with the hand cursor.
#include "toolkit/widgets/ImageList.h"
#include "toolkit/widgets/SpeedButton.h"

class THotSpeedButton : public tk::TSpeedButton {
public:
    explicit THotSpeedButton(tk::TComponent* owner);

    static const tk::TClassInfo& StaticClass();
    const tk::TClassInfo& ClassType() const override { return StaticClass(); }

    tk::TImageList* Images() const { return m_images; }
    int ImageIndex() const { return m_imageIndex; }
    int HotImageIndex() const { return m_hotImageIndex; }

    void SetImages(tk::TImageList* images);
    void SetImageIndex(int index);
    void SetHotImageIndex(int index);

    void Notification(tk::TComponent* component, tk::TOperation operation) override;

protected:
    void CMMouseEnter(tk::TMessage& message) override;
    void CMMouseLeave(tk::TMessage& message) override;

private:
    void ShowImage(int index);

    tk::TImageList* m_images = nullptr; // not owned
    int m_imageIndex = 0;
    int m_hotImageIndex = 0;
};
