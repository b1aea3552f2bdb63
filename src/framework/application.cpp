#include "framework/application.h"

#include "framework/errors.h"
#include "framework/main_thread_calls.h"

#include <windows.h>

namespace stilvane {

namespace {
constexpr char kWindowClass[] = "StilvaneApplication";
}

TApplication& Application() {
    static TApplication application;
    return application;
}

TApplication::~TApplication() {
    destroying_ = true;
    SetWakeMainThread(nullptr);
}

HICON TApplication::Icon() const {
    if (!icon_)
        icon_.Reset(static_cast<HICON>(::LoadImageA(Instance(), "MAINICON", IMAGE_ICON,
                                                    ::GetSystemMetrics(SM_CXSMICON),
                                                    ::GetSystemMetrics(SM_CYSMICON), 0)));
    return icon_.Get();
}

void TApplication::ShowApplicationWindow() {
    if (Minimized())
        Restore();
    ::ShowWindow(window_.Get(), SW_SHOWNOACTIVATE);
}

void TApplication::HideApplicationWindow() {
    ::ShowWindow(window_.Get(), SW_HIDE);
}

void TApplication::ShowFromTray() {
    ShowApplicationWindow();
    if (mainWindow_)
        ::ShowWindow(mainWindow_, SW_SHOW);
}

void TApplication::HideToTray() {
    if (mainWindow_ && !::IsIconic(mainWindow_))
        Minimize();
    HideApplicationWindow();
}

void TApplication::Minimize() {
    ::ShowWindow(window_.Get(), SW_MINIMIZE);
}

void TApplication::Restore() {
    ::ShowWindow(window_.Get(), SW_RESTORE);
}

bool TApplication::Minimized() const {
    return ::IsIconic(window_.Get()) != FALSE;
}

HINSTANCE TApplication::Instance() const {
    return ::GetModuleHandleA(nullptr);
}

void TApplication::Initialize() {
    if (window_)
        return;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &TApplication::WindowProc;
    windowClass.hInstance = Instance();
    windowClass.hIcon = ::LoadIconA(Instance(), "MAINICON");
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassA(&windowClass);
    // A zero-sized top-level window: it carries the taskbar button while the
    // main window is shown, and receives the wake-up messages.
    window_.Reset(
        ::CreateWindowExA(0, kWindowClass, title_.c_str(),
                          WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                          ::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2,
                          0, 0, nullptr, nullptr, Instance(), nullptr));
    const HWND window = window_.Get();
    SetWakeMainThread([window] { ::PostMessageA(window, WM_NULL, 0, 0); });
}

void TApplication::SetTitle(std::string title) {
    title_ = std::move(title);
    if (window_)
        ::SetWindowTextA(window_.Get(), title_.c_str());
}

LRESULT CALLBACK TApplication::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TApplication& application = Application();
    // Hooks may remove themselves while running; iterate over a copy.
    const auto hooks = application.hooks_;
    for (const auto& hook : hooks)
        hook.second(message, wParam, lParam);
    if (message == WM_NULL) {
        application.RunHandler([] { CheckSynchronize(); });
        return 0;
    }
    switch (message) {
    case WM_CLOSE:
        // "Close window" on the taskbar button, Task Manager, an installer:
        // the same way out as the main window's close box. Left to the
        // default, it would destroy the windows and leave the process running.
        if (application.mainWindow_)
            ::SendMessageA(application.mainWindow_, WM_CLOSE, 0, 0);
        else
            application.Terminate();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) {
            try {
                if (application.onEndSession_)
                    application.onEndSession_();
            } catch (const std::exception&) {
                // Nothing may be shown while the session ends.
            }
            application.Terminate();
        }
        return 0;
    }
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE) {
        // A hook may have hidden the application instead (to the tray).
        if (::IsWindowVisible(window))
            application.Minimize();
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

int TApplication::AddWindowHook(WindowHook hook) {
    hooks_.emplace_back(nextHookId_, std::move(hook));
    return nextHookId_++;
}

void TApplication::RemoveWindowHook(int id) {
    std::erase_if(hooks_, [id](const auto& entry) { return entry.first == id; });
}

bool TApplication::ProcessMessage() {
    MSG message;
    if (!::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    Dispatch(message);
    return true;
}

void TApplication::Dispatch(MSG& message) {
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return;
    }
    if (dialogWindow_ && ::IsWindowVisible(dialogWindow_) &&
        ::IsDialogMessageA(dialogWindow_, &message))
        return;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
}

void TApplication::ProcessMessages() {
    while (ProcessMessage()) {
    }
    RunHandler([] { CheckSynchronize(); });
}

void TApplication::Run() {
    while (!terminated_) {
        // A call handed over from another thread posts a wake-up message;
        // serving here as well covers a wake-up that could not be posted.
        RunHandler([] { CheckSynchronize(); });
        if (terminated_)
            break;
        // GetMessage sleeps in the same request that looks for a message:
        // a tick costs the server fewer requests than peeking and waiting.
        MSG message;
        if (::GetMessageA(&message, nullptr, 0, 0) == -1)
            continue;
        Dispatch(message);
    }
}

void TApplication::Terminate() {
    terminated_ = true;
    ::PostQuitMessage(0);
}

void TApplication::ShowException(const std::exception& error) const {
    if (dynamic_cast<const EAbort*>(&error))
        return;
    ModalMessage(WithFullStop(error.what()), MB_OK | MB_ICONSTOP);
}

int TApplication::ModalMessage(const std::string& text, UINT flags) const {
    const HWND active = ::GetActiveWindow();
    const HWND focus = ::GetFocus();
    // Task-modal: every top-level window of this thread is disabled meanwhile,
    // so when the box goes there is no enabled window to take the activation.
    const int answer = ::MessageBoxA(nullptr, text.c_str(), title_.c_str(), flags | MB_TASKMODAL);
    if (active && ::IsWindow(active) && ::IsWindowVisible(active)) {
        ::SetForegroundWindow(active);
        ::SetActiveWindow(active);
        if (focus && ::IsWindow(focus) && ::IsWindowVisible(focus) &&
            ::GetAncestor(focus, GA_ROOT) == active)
            ::SetFocus(focus);
    }
    return answer;
}

void TApplication::RunHandler(const std::function<void()>& handler) const {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowException(error);
    }
}

void TApplication::ShowPlainMessage(const std::string& text) const {
    ModalMessage(text, MB_OK);
}

} // namespace stilvane
