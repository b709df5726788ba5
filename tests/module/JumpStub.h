#pragma once
// Machine code that jumps to an absolute address, for this architecture
// (JumpStub_i686.cpp, JumpStub_x86_64.cpp). It clobbers only the result register, which
// no function expects to hold anything on entry.
#include <vector>

namespace ts {

std::vector<unsigned char> AbsoluteJump(const void* target);

} // namespace ts
