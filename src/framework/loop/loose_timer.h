// A window timer the system may move by up to a tolerance, so that one
// wake-up of the processor serves several timers (Windows 8 and later); a
// plain timer where the system has no such timers.
#pragma once

#include <windows.h>

namespace stilvane {

// Sends WM_TIMER with `id` to `window` after `delay` ms, give or take up to
// `tolerance` ms, and again after each further `delay`, until KillTimer.
void SetLooseTimer(HWND window, UINT_PTR id, UINT delay, ULONG tolerance);

} // namespace stilvane
