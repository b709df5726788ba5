#pragma once
// A text laid out as the host toolkit's reference-counted strings are: a 32-bit reference
// count and a 32-bit length in front of the characters, a NUL after them. A string value
// is the pointer to the first character; the empty text is the null pointer. Modules
// receive such pointers for Caption and Hint.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

namespace Host {

class HostString {
public:
    explicit HostString(std::string_view text)
    {
        if (text.empty()) return;
        // Whole 32-bit words keep the header aligned: two for the header, the characters
        // with their NUL rounded up.
        const std::size_t words = 2 + (text.size() + 1 + 3) / 4;
        m_block = std::make_unique<std::int32_t[]>(words);
        m_block[0] = 1; // one reference: this object's
        m_block[1] = static_cast<std::int32_t>(text.size());
        std::memcpy(Characters(), text.data(), text.size()); // the NUL comes with the zeroed block
    }

    // What a module is handed: the first character, or null for the empty text.
    [[nodiscard]] const char* Pointer() const { return m_block ? Characters() : nullptr; }

private:
    [[nodiscard]] char* Characters() const { return reinterpret_cast<char*>(m_block.get() + 2); }

    std::unique_ptr<std::int32_t[]> m_block;
};

} // namespace Host
