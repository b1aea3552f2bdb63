#include "framework/window.h"

#include "framework/application.h"
#include "framework/controls.h"
#include "framework/errors.h"
#include "framework/system_error.h"

namespace stilvane {

namespace {

[[noreturn]] void RaiseLastError() {
    const DWORD code = ::GetLastError();
    throw EOSError(messages::SystemError(code, SystemErrorText(code)));
}

} // namespace

Window::~Window() {
    if (window_) {
        // The class's own procedure sees the window's last messages.
        ::SetWindowLongPtrA(window_.Get(), GWLP_USERDATA, 0);
        if (classProcedure_)
            ::SetWindowLongPtrA(window_.Get(), GWLP_WNDPROC,
                                reinterpret_cast<LONG_PTR>(classProcedure_));
        window_.Reset();
    }
}

Window* Window::FromHandle(HWND window) {
    // Only a window whose messages come here was bound by this program; the
    // user data of any other is not ours to read.
    if (!window ||
        ::GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&Window::Procedure))
        return nullptr;
    return reinterpret_cast<Window*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Window::Subclass(HWND window) {
    if (!window)
        RaiseLastError();
    window_.Reset(window);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    classProcedure_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::Procedure)));
}

LRESULT Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (classProcedure_)
        return ::CallWindowProcA(classProcedure_, window_.Get(), message, wParam, lParam);
    return ::DefWindowProcA(window_.Get(), message, wParam, lParam);
}

void Window::CreateHandle(const WindowClass& windowClass, const WindowPlacement& placement) {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA registered{};
    if (!::GetClassInfoA(instance, windowClass.name, &registered)) {
        registered.lpfnWndProc = &Window::Procedure;
        registered.hInstance = instance;
        registered.hCursor = windowClass.cursor;
        registered.hbrBackground = windowClass.background;
        registered.lpszClassName = windowClass.name;
        if (!::RegisterClassA(&registered))
            RaiseLastError();
    }
    const HWND window =
        ::CreateWindowExA(placement.exStyle, windowClass.name, placement.caption, placement.style,
                          placement.left, placement.top, placement.width, placement.height,
                          placement.parent, nullptr, instance, this);
    if (!window)
        RaiseLastError();
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && lParam)
        if (Control* control = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
            control->Command(HIWORD(wParam));
            return 0;
        }
    return DefaultProc(message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_.Reset(window);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Destroyed with its parent: the object no longer owns a window.
        const WNDPROC classProcedure = self->classProcedure_;
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_.Release();
        if (classProcedure)
            return ::CallWindowProcA(classProcedure, window, message, wParam, lParam);
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        result = self->WindowProc(message, wParam, lParam);
    } catch (const std::exception& error) {
        Application().ShowException(error);
    }
    return result;
}

} // namespace stilvane
