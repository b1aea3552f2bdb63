#include "components/tray_shell.h"

#include "framework/gui/display_scale.h"

namespace stilvane {

TrayShell SystemTrayShell() {
    TrayShell shell;
    shell.notify = [](DWORD message, NOTIFYICONDATAA& data) {
        return ::Shell_NotifyIconA(message, &data);
    };
    shell.findTaskbar = [] { return ::FindWindowA("Shell_TrayWnd", nullptr); };
    shell.taskbarDpi = [] { return DpiOfWindow(::FindWindowA("Shell_TrayWnd", nullptr)); };
    return shell;
}

TrayShell& CurrentTrayShell() {
    static TrayShell shell = SystemTrayShell();
    return shell;
}

} // namespace stilvane
