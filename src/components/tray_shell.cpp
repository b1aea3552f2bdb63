#include "components/tray_shell.h"

#include <shellapi.h>

#include <string>
#include <vector>

namespace stilvane {

static_assert(sizeof(void*) != 4 || sizeof(NotifyIconDataV5) == 488,
              "the version-5 notification record is 488 bytes on 32-bit Windows");

DWORD ReadShellVersion() {
    char systemDirectory[MAX_PATH + 1] = {};
    const UINT length = ::GetSystemDirectoryA(systemDirectory, MAX_PATH);
    if (length == 0 || length > MAX_PATH)
        return 0;
    const std::string path = std::string(systemDirectory) + "\\shell32.dll";
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        return 0;
    std::vector<char> info(size);
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, info.data()))
        return 0;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
        !fixed || fixedSize < sizeof *fixed)
        return 0;
    return fixed->dwFileVersionMS;
}

TrayShell SystemTrayShell() {
    TrayShell shell;
    shell.notify = [](DWORD message, NotifyIconDataV5& data) {
        return ::Shell_NotifyIconA(message, reinterpret_cast<PNOTIFYICONDATAA>(&data));
    };
    shell.findTaskbar = [] { return ::FindWindowA("Shell_TrayWnd", nullptr); };
    shell.shellVersion = [] {
        // Read once per process.
        static const DWORD version = ReadShellVersion();
        return version;
    };
    return shell;
}

TrayShell& CurrentTrayShell() {
    static TrayShell shell = SystemTrayShell();
    return shell;
}

} // namespace stilvane
