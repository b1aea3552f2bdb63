#include "framework/gui/window.h"

#include "framework/gui/common_controls.h"
#include "framework/loop/application.h"
#include "framework/portable/errors.h"
#include "framework/system/system_error.h"

namespace stilvane {

namespace {

// The one subclass this program puts on a control.
constexpr UINT_PTR kSubclassId = 1;

[[noreturn]] void RaiseLastError() {
    const DWORD code = ::GetLastError();
    throw EOSError(messages::SystemError(code, SystemErrorText(code)), code);
}

} // namespace

Window::~Window() {
    if (window_) {
        // The class's own procedure sees the window's last messages.
        if (subclassed_)
            LoadCommonControls().removeWindowSubclass(window_.Get(), &Window::SubclassProcedure,
                                                      kSubclassId);
        else
            ::SetWindowLongPtrA(window_.Get(), GWLP_USERDATA, 0);
        window_.Reset();
    }
}

Window* Window::FromHandle(HWND window) {
    if (!window)
        return nullptr;
    // Only a window whose messages come here was bound by this program; the
    // user data of any other is not ours to read.
    DWORD_PTR bound = 0;
    if (const CommonControls* controls = LoadedCommonControls();
        controls &&
        controls->getWindowSubclass(window, &Window::SubclassProcedure, kSubclassId, &bound))
        return reinterpret_cast<Window*>(bound);
    if (::GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&Window::Procedure))
        return nullptr;
    return reinterpret_cast<Window*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Window::Subclass(HWND window) {
    if (!window)
        RaiseLastError();
    window_.Reset(window);
    // The system's subclassing keeps the control a Unicode window: messages
    // reach its class in its own character set, never through the system's
    // conversion of text messages.
    if (!LoadCommonControls().setWindowSubclass(window, &Window::SubclassProcedure, kSubclassId,
                                                reinterpret_cast<DWORD_PTR>(this)))
        RaiseLastError();
    subclassed_ = true;
}

LRESULT Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (subclassed_)
        return LoadCommonControls().defSubclassProc(window_.Get(), message, wParam, lParam);
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
        if (Window* child = FromHandle(reinterpret_cast<HWND>(lParam));
            child && child->TakeCommand(HIWORD(wParam)))
            return 0;
    return DefaultProc(message, wParam, lParam);
}

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    Application().RunHandler([&] { result = WindowProc(message, wParam, lParam); });
    return result;
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
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_.Release();
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    return self->Dispatch(message, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR bound) {
    auto* self = reinterpret_cast<Window*>(bound);
    if (message == WM_NCDESTROY) {
        const CommonControls& controls = LoadCommonControls();
        controls.removeWindowSubclass(window, &Window::SubclassProcedure, kSubclassId);
        self->window_.Release();
        return controls.defSubclassProc(window, message, wParam, lParam);
    }
    return self->Dispatch(message, wParam, lParam);
}

} // namespace stilvane
