#include "template/ModuleState.h"

namespace ModuleState {

bool Changed = false;
bool Saved = false;
bool FormShown = false;
bool DefaultsRestored = false;
bool Supported = false;
std::int32_t OSType = 0;
std::int32_t OSMask = 0;
std::int32_t Language = 0;
std::uint16_t MessageId = 0;

} // namespace ModuleState
