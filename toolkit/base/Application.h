#pragma once
// Process-wide facts of the toolkit: the title of its message boxes, the module whose
// resources hold the stored layouts, and the name of its own window class.
#include <windows.h>
#include <string>

namespace tk {

// The file name of the running program without folder and extension.
std::string ApplicationTitle();

// The module the toolkit is linked into (a DLL or a program): its resources are searched.
HINSTANCE ToolkitInstance();

// The class of the toolkit's own windows (forms, panels), which each module that links the
// toolkit registers for itself.
const char* OwnWindowClassName();

} // namespace tk
