// A window owned by an object: its class is registered once, the object is
// bound to it when it is created, and every message goes to one member
// function. Windows of the system's classes (buttons, edit fields, list
// boxes) are bound the same way once created. An error that leaves that
// function is shown by the default error display once the procedure has
// returned (never from inside a paint); it never unwinds into the system.
#pragma once

#include "framework/system/unique_handle.h"

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
    // The object bound to a window of this process, or null.
    static Window* FromHandle(HWND window);
    // A WM_COMMAND notification this window sent its parent, handed back to
    // it; true when taken. Plain windows take none.
    virtual bool TakeCommand(WORD /*notification*/) { return false; }

protected:
    Window() = default;
    // Destroys the window unless its parent has done so already.
    virtual ~Window();

    // Registers the class (once per process) and creates the window bound to
    // this object. Raises EOSError with the system's message on failure.
    void CreateHandle(const WindowClass& windowClass, const WindowPlacement& placement);

    // Takes over a window of a system class that this object created: its
    // messages come to WindowProc, as Unicode messages, and what that passes
    // to DefaultProc reaches the class's own handling.
    void Subclass(HWND window);

    // Every message of the window. By default: a command or notification
    // from a child control goes back to that control; the rest to
    // DefaultProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The handling of the window's class: the system's default for the
    // program's own classes.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    // WindowProc, with an error that leaves it shown later rather than
    // unwound into the system.
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR id, DWORD_PTR bound);

    UniqueWindow window_;
    bool subclassed_ = false;
};

} // namespace stilvane
