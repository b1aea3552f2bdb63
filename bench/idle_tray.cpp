// The least a tray program can be: one hidden window with one icon in the
// notification area, no timer, nothing to wait for but messages. What it
// costs while idle is Wine's own floor, the yardstick of the idle
// benchmarks (bench/idle_wakeups.sh, bench/idle_memory.sh).
// Words on its command line add one thing the controller holds, to tell
// what that alone costs: "comctl32" loads the common controls' library,
// "waits" has the thread pool wait for two events (as two registry watches
// do), "thread" starts a thread that waits for ever (as a paused timer's).
#include <windows.h>
// After windows.h, which it builds on:
#include <shellapi.h>

#include <cstring>

namespace {

constexpr UINT kIconId = 1;

void CALLBACK NeverCalled(void*, BOOLEAN) {}

DWORD WINAPI WaitForEver(void*) {
    ::Sleep(INFINITE);
    return 0;
}

// What the words ask for; held until the process ends.
bool AddHoldings(const char* words) {
    if (std::strstr(words, "comctl32") && !::LoadLibraryA("comctl32.dll"))
        return false;
    for (int i = 0; std::strstr(words, "waits") && i < 2; ++i) {
        HANDLE wait = nullptr;
        const HANDLE event = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
        if (!event || !::RegisterWaitForSingleObject(&wait, event, &NeverCalled, nullptr, INFINITE,
                                                     WT_EXECUTEDEFAULT))
            return false;
    }
    if (std::strstr(words, "thread") &&
        !::CreateThread(nullptr, 0, &WaitForEver, nullptr, 0, nullptr))
        return false;
    return true;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR words, int) {
    if (!AddHoldings(words))
        return 1;
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
