// Sends a close request to the first top-level window of a class, as the
// taskbar's "Close window" does to the window that owns the button; with a
// second argument, the registered message of that name instead, as the
// installers send it.
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3)
        return 2;
    const HWND window = ::FindWindowA(argv[1], nullptr);
    if (!window)
        return 1;
    const UINT message = argc == 3 ? ::RegisterWindowMessageA(argv[2]) : WM_CLOSE;
    ::PostMessageA(window, message, 0, 0);
    return 0;
}
