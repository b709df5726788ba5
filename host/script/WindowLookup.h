#pragma once
// Finding windows as a user sees them: the top-level windows of the calling thread, and a
// child window by its class and its place in the parent's client area. The host's script
// finds the controls of a tip window this way, and so do the tests.
#include <windows.h>

#include <string>
#include <vector>

namespace Host {

std::string ClassOf(HWND window);

// The window's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);

// The top-level windows of the calling thread, visible or not.
std::vector<HWND> ThreadWindows();

// The direct child of `parent` of window class `cls` (compared without regard to case)
// whose top left corner lies at (left, top) in the parent's client area; null if none.
HWND ChildAt(HWND parent, const std::string& cls, int left, int top);

// The n-th direct child of `parent` of window class `cls`, counted from 1; null if none.
HWND NthChild(HWND parent, const std::string& cls, int n);

// The top-level window of the calling thread that the module `library` created as its
// main window: its instance, no owner, a caption. Null if there is none.
HWND ModuleWindow(HMODULE library);

} // namespace Host
