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

TWindow::~TWindow() {
    if (window_) {
        ::SetWindowLongPtrA(window_.Get(), GWLP_USERDATA, 0);
        window_.Reset();
    }
}

void TWindow::CreateHandle(const TWindowClass& windowClass, const TWindowPlacement& placement) {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA registered{};
    if (!::GetClassInfoA(instance, windowClass.name, &registered)) {
        registered.lpfnWndProc = &TWindow::Procedure;
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

LRESULT TWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && lParam)
        if (TWinControl* control = TWinControl::FromHandle(reinterpret_cast<HWND>(lParam))) {
            control->Command(HIWORD(wParam));
            return 0;
        }
    return ::DefWindowProcA(window_.Get(), message, wParam, lParam);
}

LRESULT CALLBACK TWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_.Reset(window);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Destroyed with its parent: the object no longer owns a window.
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_.Release();
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
