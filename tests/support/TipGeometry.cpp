#include "tests/support/TipGeometry.h"

namespace ts {

RECT TipControl::In(SIZE client, int dpi) const
{
    // The toolkit scales place and size each on its own, as here.
    auto scaled = [dpi](int design) { return ::MulDiv(design, 96, dpi); };
    const int dx = client.cx - scaled(kClient.cx);
    const int dy = client.cy - scaled(kClient.cy);
    const int l = scaled(left), t = scaled(top), w = scaled(width), h = scaled(height);
    // The side bevels lie between the top and bottom ones.
    const int belowTop = t, aboveBottom = client.cy - scaled(kClient.cy - top - height);
    switch (anchoring) {
    case Anchoring::TopLeft: return {l, t, l + w, t + h};
    case Anchoring::BottomLeft: return {l, t + dy, l + w, t + dy + h};
    case Anchoring::BottomRight: return {l + dx, t + dy, l + dx + w, t + dy + h};
    case Anchoring::Widens: return {l, t, l + w + dx, t + h};
    case Anchoring::AlignTop: return {0, 0, client.cx, h};
    case Anchoring::AlignBottom: return {0, client.cy - h, client.cx, client.cy};
    case Anchoring::AlignLeft: return {0, belowTop, w, aboveBottom};
    case Anchoring::AlignRight: return {client.cx - w, belowTop, client.cx, aboveBottom};
    }
    return {};
}

} // namespace ts
