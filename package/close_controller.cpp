// Run by the MSI before it replaces or removes files: ends a running
// controller as the setup program does, with the update message to its
// application window (it ends at once, asking nothing), then waits up to ten
// seconds until the window is gone and the process has let go of its files
// (and can no longer write its key, which a removal then deletes).
#include <windows.h>

namespace {

bool CloseController() {
    const UINT closeForUpdate = ::RegisterWindowMessageA("Quillane.PopUpBlocker.CloseForUpdate");
    for (int tries = 0; tries < 100; ++tries) {
        const HWND window = ::FindWindowA("StilvaneApplication", nullptr);
        if (!window) {
            if (tries > 0)
                ::Sleep(300);
            return true;
        }
        if (tries == 0)
            ::SendMessageTimeoutA(window, closeForUpdate, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        ::Sleep(100);
    }
    return false;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return CloseController() ? 0 : 1;
}
