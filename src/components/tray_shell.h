// The shell calls the tray icon makes, replaceable so that tests can record
// them instead of talking to a real notification area.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>

namespace stilvane {

struct TrayShell {
    std::function<BOOL(DWORD message, NOTIFYICONDATAA& data)> notify;
    std::function<HWND()> findTaskbar;
    // Pixels per inch of the display the taskbar is on.
    std::function<int()> taskbarDpi;
};

// The calls in use: the system's unless a test put others in place.
TrayShell& CurrentTrayShell();
// The system's own calls.
TrayShell SystemTrayShell();

} // namespace stilvane
