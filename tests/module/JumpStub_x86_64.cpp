#include "tests/module/JumpStub.h"

#include <cstdint>
#include <cstring>

namespace ts {

std::vector<unsigned char> AbsoluteJump(const void* target)
{
    std::vector<unsigned char> code = {0x48, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xE0}; // mov rax, target; jmp rax
    const auto address = reinterpret_cast<std::uint64_t>(target);
    std::memcpy(&code[2], &address, sizeof address);
    return code;
}

} // namespace ts
