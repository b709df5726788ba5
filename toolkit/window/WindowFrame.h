#pragma once
// What caption and border take from a window's size. It depends only on the window's two
// style words and the system's metrics, so it is computed once for each pair of style
// words and kept until the metrics may have changed: a form forgets it when it starts to
// read its layouts and when the system's settings change (WM_SETTINGCHANGE).
#include <windows.h>

namespace tk {

SIZE WindowFrameSize(DWORD style, DWORD exStyle);
void ForgetWindowFrameSizes();

} // namespace tk
