#pragma once
// Process-wide facts of the toolkit: the title of its message boxes and the module whose
// resources hold the stored layouts.
#include <windows.h>
#include <string>

namespace tk {

// The file name of the running program without folder and extension.
std::string ApplicationTitle();

// The module the toolkit is linked into (a DLL or a program): its resources are searched.
HINSTANCE ToolkitInstance();

} // namespace tk
