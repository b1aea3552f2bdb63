// Run by the MSI before it replaces or removes files: ends a running
// controller as the setup program does, with the update message to its
// application window (it ends at once, asking nothing), then waits up to ten
// seconds until the window is gone and the process has let go of its files.
// With /forget (after the product's removal) it also deletes the
// controller's own key, HKCU\Software\Quillane\Stilvane (the count and the
// pause record); the blocker's values beside it stay.
#include <windows.h>

#include <cstring>

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

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    const bool closed = CloseController();
    if (std::strstr(commandLine, "/forget")) {
        const LSTATUS status = ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quillane\\Stilvane");
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
            return 2;
    }
    return closed ? 0 : 1;
}
