#include "toolkit/widgets/ImageList.h"
#include "toolkit/base/ClassInfo.h"
#include "toolkit/base/Exceptions.h"

#include <objbase.h>
#include <cstring>
#include <memory>

namespace tk {

const TClassInfo& TImageList::StaticClass()
{
    static const TClassInfo& info = TClassInfo::Define(
        "TImageList", &TComponent::StaticClass(),
        [](TComponent* owner) -> TComponent* { return new TImageList(owner); },
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

int TImageList::Count() const { return m_handle ? ::ImageList_GetImageCount(m_handle.get()) : 0; }

namespace {

struct FreeGlobal {
    void operator()(void* memory) const { ::GlobalFree(memory); }
};
struct ReleaseStream {
    void operator()(IStream* stream) const { stream->Release(); }
};
using StreamPtr = std::unique_ptr<IStream, ReleaseStream>;

// A stream over a copy of `bytes` in movable global memory, which the stream owns and
// frees. ole32's CreateStreamOnHGlobal is on every Windows from 95 and NT 3.51 on;
// shlwapi's memory stream is not. An empty block cannot be locked, so the copy has at
// least one (zero) byte, which no image list begins with.
StreamPtr MemoryStream(const std::string& bytes)
{
    std::unique_ptr<void, FreeGlobal> memory(
        ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size() + (bytes.empty() ? 1 : 0)));
    void* data = memory ? ::GlobalLock(memory.get()) : nullptr;
    if (!data) throw Exception("Out of memory");
    std::memcpy(data, bytes.data(), bytes.size());
    ::GlobalUnlock(memory.get());
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(memory.get(), TRUE, &stream))) throw Exception("Out of memory");
    (void)memory.release();
    return StreamPtr(stream);
}

} // namespace

void TImageList::ReadStream(const std::string& bytes)
{
    HIMAGELIST list = ::ImageList_Read(MemoryStream(bytes).get());
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

} // namespace tk
