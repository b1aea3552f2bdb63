// A window owned by an object: its class is registered once, the object is
// bound to it when it is created, and every message goes to one member
// function. An error that leaves that function is shown by the default
// error display; it never unwinds into the system.
#pragma once

#include "framework/unique_handle.h"

namespace stilvane {

struct WindowClass {
    const char* name;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
};

struct WindowPlacement {
    DWORD exStyle = 0;
    DWORD style = 0;
    int left = 0, top = 0, width = 0, height = 0;
    HWND parent = nullptr;
    const char* caption = "";
};

class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return window_.Get(); }

protected:
    Window() = default;
    // Destroys the window unless its parent has done so already.
    virtual ~Window();

    // Registers the class (once per process) and creates the window bound to
    // this object. Raises EOSError with the system's message on failure.
    void CreateHandle(const WindowClass& windowClass, const WindowPlacement& placement);

    // Every message of the window. By default: a command or notification
    // from a child control goes back to that control; the rest to the
    // system's default handling.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UniqueWindow window_;
};

} // namespace stilvane
