// Sends a close request to the first top-level window of a class, as the
// taskbar's "Close window" does to the window that owns the button.
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const HWND window = ::FindWindowA(argv[1], nullptr);
    if (!window)
        return 1;
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
}
