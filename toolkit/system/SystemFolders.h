#pragma once
// Files of the Windows folder and the system folder by their full paths. A program or
// library named without a folder is looked for along the search order, which starts with
// the program's own folder and the current directory, where anybody may have put a file
// of that name; a full path names the one Windows installed.
#include <windows.h>

#include <string>

namespace tk {

// The file `name` in the Windows folder (GetWindowsDirectoryA); "" when the folder is not
// known.
std::string WindowsFolderFile(const std::string& name);
// The file `name` in the system folder (GetSystemDirectoryA); "" when the folder is not
// known.
std::string SystemFolderFile(const std::string& name);
// LoadLibraryA of the system folder's library `name`; null when it is not there.
HMODULE LoadSystemLibrary(const char* name);

} // namespace tk
