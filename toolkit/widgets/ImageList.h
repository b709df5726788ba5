#pragma once
// TImageList: a list of equally sized, masked images over a common-controls image list,
// read from the common controls' own image-list stream.
#include "toolkit/base/Component.h"
#include "toolkit/gdi/Bitmap.h"

#include <string>

namespace tk {

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetWidth(int width);
    void SetHeight(int height);
    int Count() const;
    HIMAGELIST Handle() const { return m_handle.get(); }

    // Replaces the images by those of an image-list stream (the format of ImageList_Write).
    void ReadStream(const std::string& bytes);
    // Sizes `bitmap` to the images' size and draws image `index` into it.
    void GetBitmap(int index, TBitmap& bitmap) const;

private:
    int m_width = 16;
    int m_height = 16;
    UniqueImageList m_handle;
};

// The colour a bitmap from GetBitmap holds where the image is transparent.
inline constexpr COLORREF kImageListBackground = RGB(255, 0, 255);

} // namespace tk
