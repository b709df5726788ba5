#include "tests/module/JumpStub.h"

#include <cstdint>
#include <cstring>

namespace ts {

std::vector<unsigned char> AbsoluteJump(const void* target)
{
    std::vector<unsigned char> code = {0xB8, 0, 0, 0, 0, 0xFF, 0xE0}; // mov eax, target; jmp eax
    const auto address = reinterpret_cast<std::uint32_t>(target);
    std::memcpy(&code[1], &address, sizeof address);
    return code;
}

} // namespace ts
