#include "toolkit/gdi/SharedGdiObject.h"

#include <cstddef>
#include <cstring>
#include <vector>

namespace tk {

namespace {

// The objects held now; a window holds a dozen or two, so a list is searched.
struct Entry {
    HGDIOBJ object;
    int holders;
    bool font;
    LOGFONTA description; // of a font, with its face name zero-padded
    COLORREF color;       // of a brush
};

std::vector<Entry>& Entries()
{
    static std::vector<Entry> entries;
    return entries;
}

template <class Same, class Make>
HGDIOBJ Acquire(Same same, Make make, Entry entry)
{
    for (Entry& e : Entries()) {
        if (same(e)) {
            ++e.holders;
            return e.object;
        }
    }
    entry.object = make();
    if (!entry.object) return nullptr;
    entry.holders = 1;
    Entries().push_back(entry);
    return entry.object;
}

} // namespace

SharedGdiObject& SharedGdiObject::operator=(SharedGdiObject&& other) noexcept
{
    if (this != &other) {
        reset();
        m_object = other.m_object;
        other.m_object = nullptr;
    }
    return *this;
}

SharedGdiObject SharedGdiObject::Font(const LOGFONTA& description)
{
    LOGFONTA key{};
    std::memcpy(&key, &description, offsetof(LOGFONTA, lfFaceName));
    lstrcpynA(key.lfFaceName, description.lfFaceName, LF_FACESIZE);
    return SharedGdiObject(
        Acquire([&key](const Entry& e) { return e.font && std::memcmp(&e.description, &key, sizeof key) == 0; },
                [&key] { return static_cast<HGDIOBJ>(::CreateFontIndirectA(&key)); }, Entry{nullptr, 0, true, key, 0}));
}

SharedGdiObject SharedGdiObject::SolidBrush(COLORREF color)
{
    return SharedGdiObject(Acquire([color](const Entry& e) { return !e.font && e.color == color; },
                                   [color] { return static_cast<HGDIOBJ>(::CreateSolidBrush(color)); },
                                   Entry{nullptr, 0, false, {}, color}));
}

void SharedGdiObject::reset()
{
    if (!m_object) return;
    std::vector<Entry>& entries = Entries();
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->object == m_object) {
            if (--it->holders == 0) {
                ::DeleteObject(it->object);
                entries.erase(it);
            }
            break;
        }
    }
    m_object = nullptr;
}

} // namespace tk
