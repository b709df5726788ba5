#pragma once
// Move-only owners of Win32 handles. Each handle type is freed in exactly one place: the
// traits below. A borrowed handle is a plain handle value, never one of these.
#include <windows.h>
#include <objidl.h> // before commctrl.h, which declares the image-list stream functions only then
#include <commctrl.h>
#include <utility>

namespace tk {

template <class Traits>
class UniqueHandle {
public:
    using handle_type = typename Traits::handle_type;

    UniqueHandle() = default;
    explicit UniqueHandle(handle_type h) : m_handle(h) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    [[nodiscard]] handle_type get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Traits::invalid(); }

    [[nodiscard]] handle_type release() { return std::exchange(m_handle, Traits::invalid()); }
    void reset(handle_type h = Traits::invalid())
    {
        if (m_handle != Traits::invalid()) Traits::close(m_handle);
        m_handle = h;
    }

private:
    handle_type m_handle = Traits::invalid();
};

template <class H, class Close>
struct NullHandleTraits {
    using handle_type = H;
    static constexpr H invalid() { return nullptr; }
    static void close(H h) { Close{}(h); }
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ h) const { ::DeleteObject(h); }
};
struct DestroyImageList {
    void operator()(HIMAGELIST h) const { ::ImageList_Destroy(h); }
};
struct DestroyMenuHandle {
    void operator()(HMENU h) const { ::DestroyMenu(h); }
};
struct CloseRegKey {
    void operator()(HKEY h) const { ::RegCloseKey(h); }
};
struct CloseKernelHandle {
    void operator()(HANDLE h) const { ::CloseHandle(h); }
};
struct DeleteMemoryDC {
    void operator()(HDC h) const { ::DeleteDC(h); }
};
struct DestroyIconHandle {
    void operator()(HICON h) const { ::DestroyIcon(h); }
};
struct DestroyWindowHandle {
    void operator()(HWND h) const { ::DestroyWindow(h); }
};

using UniqueFont = UniqueHandle<NullHandleTraits<HFONT, DeleteGdiObject>>;
using UniqueBrush = UniqueHandle<NullHandleTraits<HBRUSH, DeleteGdiObject>>;
using UniqueBitmap = UniqueHandle<NullHandleTraits<HBITMAP, DeleteGdiObject>>;
using UniqueImageList = UniqueHandle<NullHandleTraits<HIMAGELIST, DestroyImageList>>;
using UniqueMenu = UniqueHandle<NullHandleTraits<HMENU, DestroyMenuHandle>>;
using UniqueRegKey = UniqueHandle<NullHandleTraits<HKEY, CloseRegKey>>;
using UniqueToken = UniqueHandle<NullHandleTraits<HANDLE, CloseKernelHandle>>;
using UniqueMemoryDC = UniqueHandle<NullHandleTraits<HDC, DeleteMemoryDC>>;
using UniqueIcon = UniqueHandle<NullHandleTraits<HICON, DestroyIconHandle>>;
// A file, or INVALID_HANDLE_VALUE, as CreateFile returns it.
struct FileHandleTraits {
    using handle_type = HANDLE;
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { ::CloseHandle(h); }
};
using UniqueFile = UniqueHandle<FileHandleTraits>;
// A helper window that no toolkit object stands for (a tooltip, for one).
using UniqueWindow = UniqueHandle<NullHandleTraits<HWND, DestroyWindowHandle>>;

// A device context taken with GetDC and given back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(::GetDC(hwnd)) {}
    ~WindowDC()
    {
        if (m_dc) ::ReleaseDC(m_hwnd, m_dc);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    [[nodiscard]] HDC get() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// Selects a GDI object into a device context and restores the previous one on exit.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(obj ? ::SelectObject(dc, obj) : nullptr) {}
    ~SelectedObject()
    {
        if (m_old) ::SelectObject(m_dc, m_old);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

} // namespace tk
