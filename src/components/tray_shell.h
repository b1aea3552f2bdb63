// The shell calls the tray icon makes, replaceable so that tests can record
// them instead of talking to a real notification area.
#pragma once

#include <windows.h>

#include <functional>

namespace stilvane {

// NOTIFYICONDATAA as shell version 5 lays it out (488 bytes); older shells
// are given the first 88 bytes.
struct NotifyIconDataV5 {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[128];
    DWORD dwState;
    DWORD dwStateMask;
    CHAR szInfo[256];
    UINT uTimeoutOrVersion;
    CHAR szInfoTitle[64];
    DWORD dwInfoFlags;
};

struct TrayShell {
    std::function<BOOL(DWORD message, NotifyIconDataV5& data)> notify;
    std::function<HWND()> findTaskbar;
    // Major version in the high 16 bits, minor in the low 16 bits.
    std::function<DWORD()> shellVersion;
};

// The calls in use: the system's unless a test put others in place.
TrayShell& CurrentTrayShell();
// The system's own calls.
TrayShell SystemTrayShell();

// File version of the system's shell32.dll (read by full path), as
// major << 16 | minor; 0 when it cannot be read.
DWORD ReadShellVersion();

} // namespace stilvane
