#pragma once

namespace tk {

// Registers the toolkit's classes that layouts may name, so that a layout can create them
// by name. Safe to call any number of times.
void RegisterStandardClasses();

} // namespace tk
