#include "ui/tray/second_start.h"

#include "framework/loop/application.h"

namespace stilvane {

bool AskRunningControllerToOpen(DWORD patience) {
    const UINT message = ::RegisterWindowMessageA(kOpenEditorMessage);
    const DWORD start = ::GetTickCount();
    // The first start may still be making its window.
    HWND controller = nullptr;
    while (!(controller = ::FindWindowA(kApplicationWindowClass, nullptr))) {
        if (::GetTickCount() - start >= patience)
            return false;
        ::Sleep(100);
    }
    DWORD process = 0;
    ::GetWindowThreadProcessId(controller, &process);
    // The user started this program just now: the controller may put its
    // window in front.
    ::AllowSetForegroundWindow(process);
    DWORD_PTR answer = 0;
    // A controller that hangs, or waits on a box of its own, is left alone.
    return message && ::SendMessageTimeoutA(controller, message, 0, 0, SMTO_ABORTIFHUNG, patience,
                                            &answer) != 0;
}

SecondStartListener::SecondStartListener(std::function<void()> open)
    : message_(::RegisterWindowMessageA(kOpenEditorMessage)),
      hookId_(
          Application().AddWindowHook([this, open = std::move(open)](UINT message, WPARAM, LPARAM) {
              if (message == message_ && message_ != 0)
                  open();
          })) {}

SecondStartListener::~SecondStartListener() {
    Application().RemoveWindowHook(hookId_);
}

} // namespace stilvane
