#pragma once
// The module-wide flags and numbers that the exported functions hand in or report and
// that the tip window's handlers set. They live from library load to unload; nothing
// resets them, so a second window in the same load sees what the first one left.
#include <cstdint>

namespace ModuleState {

extern bool Changed;            // a field was edited since the window was shown
extern bool Saved;              // OK ran after the last edit
extern bool FormShown;          // the window has been shown once
extern bool DefaultsRestored;   // Undo ran once
extern bool Supported;          // the tip applies to the running system
extern std::int32_t OSType;     // 1..18, the running system
extern std::int32_t OSMask;     // bit n-1 set: the tip is valid for OSType n
extern std::int32_t Language;   // 1 English, anything else German
extern std::uint16_t MessageId; // the registered host window message

} // namespace ModuleState
