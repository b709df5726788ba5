#pragma once
// A GDI object that every holder asking for the same one shares: a font by its
// description, a solid brush by its colour. It is made on the first request and deleted
// when its last holder lets it go, so a window holds no more fonts and brushes than it
// shows, and none outlives its holders.
#include <windows.h>

namespace tk {

class SharedGdiObject {
public:
    SharedGdiObject() = default;
    SharedGdiObject(SharedGdiObject&& other) noexcept : m_object(other.m_object) { other.m_object = nullptr; }
    SharedGdiObject& operator=(SharedGdiObject&& other) noexcept;
    SharedGdiObject(const SharedGdiObject&) = delete;
    SharedGdiObject& operator=(const SharedGdiObject&) = delete;
    ~SharedGdiObject() { reset(); }

    // Null when the system could not make the object.
    static SharedGdiObject Font(const LOGFONTA& description);
    static SharedGdiObject SolidBrush(COLORREF color);

    [[nodiscard]] HGDIOBJ get() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    // Lets the object go; the last holder's reset deletes it.
    void reset();

private:
    explicit SharedGdiObject(HGDIOBJ object) : m_object(object) {}

    HGDIOBJ m_object = nullptr;
};

} // namespace tk
