#include "toolkit/window/WindowFrame.h"

#include <vector>

namespace tk {

namespace {

struct Frame {
    DWORD style, exStyle;
    SIZE size;
};

std::vector<Frame>& Frames()
{
    static std::vector<Frame> frames;
    return frames;
}

} // namespace

SIZE WindowFrameSize(DWORD style, DWORD exStyle)
{
    style &= ~(WS_VISIBLE | WS_DISABLED); // they change nothing of the frame
    std::vector<Frame>& frames = Frames();
    for (const Frame& frame : frames)
        if (frame.style == style && frame.exStyle == exStyle) return frame.size;
    RECT r{0, 0, 0, 0};
    if (!::AdjustWindowRectEx(&r, style, FALSE, exStyle)) return {0, 0};
    const SIZE size{r.right - r.left, r.bottom - r.top};
    frames.push_back({style, exStyle, size});
    return size;
}

void ForgetWindowFrameSizes() { std::vector<Frame>().swap(Frames()); }

} // namespace tk
