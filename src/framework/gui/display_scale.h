// The display scale of windows and the metrics that go with it. The
// functions for this came with Windows 10; on older systems they are
// missing, and the system's one scale serves everywhere.
#pragma once

#include <windows.h>

namespace stilvane {

// Pixels per inch of the system (the primary display), 96..288.
int SystemDpi();
// Pixels per inch of the display `window` is on, 96..288; SystemDpi() when
// the system cannot tell per window or `window` is null.
int DpiOfWindow(HWND window);
// The outer size of a window with this style whose client area is `client`,
// with the frame drawn for `dpi`.
SIZE FrameSizeForDpi(SIZE client, DWORD style, DWORD exStyle, int dpi);
// GetSystemMetrics(`index`) as at `dpi`.
int SystemMetricForDpi(int index, int dpi);
// The work area (the display without the taskbar) of the display that holds
// the most of `window`.
RECT WorkAreaOf(HWND window);

} // namespace stilvane
