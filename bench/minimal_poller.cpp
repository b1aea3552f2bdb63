// The least a program can do to watch for block signals: a 333 ms SetTimer
// whose tick opens the blocker's key, reads the signal value and closes the
// key. The yardstick for what one tick of the controller costs; see
// bench/tick_requests.sh.
#include <windows.h>

int main() {
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 333, nullptr);
    if (!timer)
        return 1;
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message != WM_TIMER)
            continue;
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quillane", 0, KEY_READ, &key) !=
            ERROR_SUCCESS)
            continue;
        BYTE data[64];
        DWORD type = 0, size = sizeof data;
        ::RegQueryValueExA(key, "PopupBlocker_BlockTime", nullptr, &type, data, &size);
        ::RegCloseKey(key);
    }
    ::KillTimer(nullptr, timer);
    return 0;
}
