// What a notification-area icon needs of the application: its icon, and
// hiding it to the tray and bringing it back. The
// application object provides it; the icon asks nothing else of it.
#pragma once

#include <windows.h>

#include <functional>

namespace stilvane {

class TrayHost {
public:
    using WindowHook = std::function<void(UINT message, WPARAM wParam, LPARAM lParam)>;

    // The program's icon, shown while no other is set.
    virtual HICON TrayHostIcon() const = 0;
    // Whether the main window shows when the message loop starts.
    virtual void SetShowMainForm(bool value) = 0;
    // The taskbar button and the main window, shown or hidden to the tray.
    virtual void ShowFromTray() = 0;
    virtual void HideToTray() = 0;
    // Sees the messages of the application window (its minimise command).
    virtual int AddWindowHook(WindowHook hook) = 0;
    virtual void RemoveWindowHook(int id) = 0;

protected:
    ~TrayHost() = default;
};

} // namespace stilvane
