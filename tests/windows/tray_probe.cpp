// A small program with one tray icon, for the scenarios that drive the real
// Wine System Tray with xdotool. It writes what happens to a log file.
// Usage: tray_probe LOGFILE
#include "components/TrayIcon.h"
#include "framework/loop/application.h"

#include <shellapi.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace stilvane;

namespace {

std::string logPath;

void Log(const std::string& line) {
    if (FILE* file = std::fopen(logPath.c_str(), "ab")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

// A plain magenta square that the scenarios look for on the screen.
HICON MagentaIcon() {
    const int size = ::GetSystemMetrics(SM_CXSMICON);
    std::vector<DWORD> pixels(static_cast<std::size_t>(size * size), 0xFFFF00FFu);
    std::vector<BYTE> mask(static_cast<std::size_t>(size * size / 8 + 64), 0);
    HBITMAP color = ::CreateBitmap(size, size, 1, 32, pixels.data());
    HBITMAP andMask = ::CreateBitmap(size, size, 1, 1, mask.data());
    ICONINFO info{TRUE, 0, 0, andMask, color};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(color);
    ::DeleteObject(andMask);
    return icon;
}

void CALLBACK AnnounceRestart(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    ::PostMessageA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    Log("broadcast");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    logPath = argv[1];
    Application().SetTitle("Tray Probe");
    Application().Initialize();

    TPopupMenu menu(nullptr);
    TTrayIcon tray(nullptr);
    auto logItem = [](TComponent* sender) {
        Log("menu:" + static_cast<MenuItem*>(sender)->Caption);
    };
    menu.Add("&Erster", logItem);
    menu.Add("&Zweiter", logItem).Default = true;
    menu.Add("&Neu anmelden", [&](TComponent*) {
        // The shell forgets the icon, then announces a restart.
        NOTIFYICONDATAA data{};
        data.cbSize = sizeof data;
        data.hWnd = tray.MessageWindow();
        data.uID = TTrayIcon::kIconId;
        ::Shell_NotifyIconA(NIM_DELETE, &data);
        Log("removed");
        ::SetTimer(nullptr, 0, 2000, &AnnounceRestart);
    });
    menu.Add("-");
    menu.Add("&Beenden", [](TComponent*) { Application().Terminate(); });

    HICON magenta = MagentaIcon();
    tray.SetIcon(magenta);
    tray.SetPopupMenu(&menu);
    tray.OnClick = [](TComponent*, TMouseButton button, TShiftState, int, int) {
        Log("click " + std::to_string(static_cast<int>(button)));
    };
    tray.SetActive(true);
    Log("ready");
    Application().Run();
    Log("ended");
    ::DestroyIcon(magenta);
    return 0;
}
