#pragma once

namespace sorvhelp {

// The text stored for this tip and kind, or null.
const char* FindText(int tipNr, int helpKind) noexcept;

} // namespace sorvhelp
