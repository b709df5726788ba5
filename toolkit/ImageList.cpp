#include "toolkit/ImageList.h"
#include "toolkit/ClassInfo.h"
#include "toolkit/Exceptions.h"

#include <objidl.h>
#include <shlwapi.h>

namespace tk {

const TClassInfo& TImageList::StaticClass()
{
    static const TClassInfo& info = TClassInfo::Define(
        "TImageList", &TComponent::StaticClass(), [](TComponent* owner) { return new TImageList(owner); },
        [](TClassInfo& c) {
            c.Integer("Width", &TImageList::SetWidth);
            c.Integer("Height", &TImageList::SetHeight);
            c.Property("Stream", [](TComponent& t, const LayoutValue& v, LayoutReader& r) {
                dynamic_cast<TImageList&>(t).ReadStream(r.AsResourceData(v));
            });
        });
    return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

void TImageList::SetWidth(int width)
{
    if (width == m_width) return;
    m_width = width;
    m_handle.reset();
}

void TImageList::SetHeight(int height)
{
    if (height == m_height) return;
    m_height = height;
    m_handle.reset();
}

int TImageList::Count() const
{
    return m_handle ? ::ImageList_GetImageCount(m_handle.get()) : 0;
}

void TImageList::ReadStream(const std::string& bytes)
{
    IStream* stream = ::SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    if (!stream) throw Exception("Out of memory");
    HIMAGELIST list = ::ImageList_Read(stream);
    stream->Release();
    if (!list) throw Exception("Invalid image list stream");
    m_handle.reset(list);
    ::ImageList_GetIconSize(list, &m_width, &m_height);
}

void TImageList::GetBitmap(int index, TBitmap& bitmap) const
{
    if (!m_handle) return;
    bitmap.SetSize(m_width, m_height, kImageListBackground);
    {
        TBitmap::Canvas canvas(bitmap);
        ::ImageList_Draw(m_handle.get(), index, canvas.dc(), 0, 0, ILD_NORMAL);
    }
}

void TImageList::Draw(HDC dc, int x, int y, int index) const
{
    if (m_handle) ::ImageList_Draw(m_handle.get(), index, dc, x, y, ILD_NORMAL);
}

} // namespace tk
