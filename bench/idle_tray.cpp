// The least a tray program can be: one hidden window with one icon in the
// notification area, no timer, nothing to wait for but messages. What it
// costs while idle is Wine's own floor, the yardstick of the idle
// benchmarks (bench/idle_wakeups.sh, bench/idle_memory.sh).
#include <windows.h>
// After windows.h, which it builds on:
#include <shellapi.h>

namespace {

constexpr UINT kIconId = 1;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "IdleTray";
    if (!::RegisterClassA(&windowClass))
        return 1;
    const HWND window = ::CreateWindowExA(0, windowClass.lpszClassName, "Idle tray", WS_POPUP, 0, 0,
                                          0, 0, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    NOTIFYICONDATAA icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = kIconId;
    icon.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    icon.uCallbackMessage = WM_APP;
    icon.hIcon = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    lstrcpynA(icon.szTip, "Idle tray", sizeof icon.szTip);
    if (!::Shell_NotifyIconA(NIM_ADD, &icon))
        return 1;
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&message);
    ::Shell_NotifyIconA(NIM_DELETE, &icon);
    return 0;
}
