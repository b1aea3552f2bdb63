#include "framework/loop/application.h"

#include "framework/loop/main_thread_calls.h"
#include "framework/portable/errors.h"
#include "framework/system/ansi_text.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace stilvane {

namespace {
// Posted to the application window: show the errors put aside meanwhile.
constexpr UINT kShowErrorsMessage = WM_APP + 1;
// Posted to the application window by a thread-pool wait: the wait whose id
// is wParam heard its event.
constexpr UINT kWaitMessage = WM_APP + 2;

// On the thread pool's wait thread: only a post, which every loop of the
// main thread dispatches. The window is made before any wait and lives as
// long as the process.
void CALLBACK EventSet(void* id, BOOLEAN) {
    ::PostMessageA(Application().Handle(), kWaitMessage, reinterpret_cast<WPARAM>(id), 0);
}

// One wait for the next setting of `event`; null when the system refuses.
HANDLE WaitOnce(HANDLE event, int id) {
    HANDLE wait = nullptr;
    if (!::RegisterWaitForSingleObject(&wait, event, &EventSet,
                                       reinterpret_cast<void*>(static_cast<INT_PTR>(id)), INFINITE,
                                       WT_EXECUTEONLYONCE | WT_EXECUTEINWAITTHREAD))
        return nullptr;
    return wait;
}
} // namespace

ApplicationObject& Application() {
    static ApplicationObject application;
    return application;
}

ApplicationObject::~ApplicationObject() {
    SetWakeMainThread(nullptr);
}

HICON ApplicationObject::Icon() const {
    if (!icon_)
        icon_.Reset(static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), "MAINICON",
                                                    IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                    ::GetSystemMetrics(SM_CYSMICON), 0)));
    return icon_.Get();
}

void ApplicationObject::ShowApplicationWindow() {
    if (::IsIconic(window_.Get()))
        ::ShowWindow(window_.Get(), SW_RESTORE);
    ::ShowWindow(window_.Get(), SW_SHOWNOACTIVATE);
}

void ApplicationObject::HideApplicationWindow() {
    ::ShowWindow(window_.Get(), SW_HIDE);
}

void ApplicationObject::ShowFromTray() {
    ShowApplicationWindow();
    if (mainWindow_)
        ::ShowWindow(mainWindow_, SW_SHOW);
}

void ApplicationObject::HideToTray() {
    // Minimising the application window hides the windows it owns.
    if (mainWindow_ && !::IsIconic(mainWindow_))
        ::ShowWindow(window_.Get(), SW_MINIMIZE);
    HideApplicationWindow();
}

void ApplicationObject::Initialize() {
    if (window_)
        return;
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &ApplicationObject::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconA(instance, "MAINICON");
    windowClass.lpszClassName = kApplicationWindowClass;
    ::RegisterClassA(&windowClass);
    // A zero-sized top-level window: it carries the taskbar button while the
    // main window is shown, and receives the wake-up messages.
    window_.Reset(
        ::CreateWindowExA(0, kApplicationWindowClass, title_.c_str(),
                          WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                          ::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2,
                          0, 0, nullptr, nullptr, instance, nullptr));
    closeForUpdateMessage_ = ::RegisterWindowMessageA(kCloseForUpdateMessage);
    const HWND window = window_.Get();
    SetWakeMainThread([window] { ::PostMessageA(window, WM_NULL, 0, 0); });
}

void ApplicationObject::SetTitle(std::string title) {
    title_ = std::move(title);
    if (window_)
        ::SetWindowTextA(window_.Get(), title_.c_str());
}

LRESULT CALLBACK ApplicationObject::WindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    ApplicationObject& application = Application();
    // Hooks may remove themselves while running; iterate over a copy. Each
    // is an entry point of its own: one that fails keeps none of the others
    // from the message.
    const auto hooks = application.hooks_;
    for (const auto& hook : hooks)
        application.RunHandler([&] { hook.second(message, wParam, lParam); });
    if (message == WM_NULL) {
        application.RunHandler([] { CheckSynchronize(); });
        return 0;
    }
    if (message == kShowErrorsMessage) {
        application.ShowWaitingErrors();
        return 0;
    }
    if (message == kWaitMessage) {
        application.ServeWait(static_cast<int>(wParam));
        return 0;
    }
    if (message == application.closeForUpdateMessage_ && message != 0) {
        application.EndNow(application.onCloseForUpdate_);
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
        if (wParam)
            application.EndNow(application.onEndSession_);
        return 0;
    }
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE) {
        // A hook may have hidden the application instead (to the tray).
        if (::IsWindowVisible(window))
            ::ShowWindow(window, SW_MINIMIZE);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void ApplicationObject::EndNow(const std::function<void()>& lastWords) {
    try {
        if (lastWords)
            lastWords();
    } catch (...) {
        // Nothing may be shown: nobody is there to answer.
    }
    Terminate();
}

int ApplicationObject::AddWindowHook(WindowHook hook) {
    hooks_.emplace_back(nextHookId_, std::move(hook));
    return nextHookId_++;
}

void ApplicationObject::RemoveWindowHook(int id) {
    std::erase_if(hooks_, [id](const auto& entry) { return entry.first == id; });
}

int ApplicationObject::AddWait(HANDLE event, std::function<void()> signalled) {
    const int id = nextHookId_++;
    const HANDLE registered = WaitOnce(event, id);
    if (!registered)
        return 0;
    waits_.push_back({id, event, std::move(signalled), registered});
    return id;
}

void ApplicationObject::RemoveWait(int id) {
    const auto found = std::find_if(waits_.begin(), waits_.end(),
                                    [id](const Wait& wait) { return wait.id == id; });
    if (found == waits_.end())
        return;
    // Returns once a callback under way has posted: its message then finds
    // no wait and is dropped.
    if (found->registered)
        ::UnregisterWaitEx(found->registered, INVALID_HANDLE_VALUE);
    waits_.erase(found);
}

bool ApplicationObject::Waiting(int id) const {
    return std::any_of(waits_.begin(), waits_.end(),
                       [id](const Wait& wait) { return wait.id == id && wait.registered; });
}

void ApplicationObject::ServeWait(int id) {
    const auto found = std::find_if(waits_.begin(), waits_.end(),
                                    [id](const Wait& wait) { return wait.id == id; });
    if (found == waits_.end())
        return;
    // The wait has fired and waits no more; its record goes without waiting.
    if (found->registered)
        ::UnregisterWaitEx(found->registered, nullptr);
    // Made anew before the call: a setting during the call is heard. The
    // event is auto-reset, so a setting before this is heard at once.
    found->registered = WaitOnce(found->event, id);
    // A copy: the call may add or remove waits.
    const std::function<void()> signalled = found->signalled;
    RunHandler(signalled);
}

bool ApplicationObject::ProcessMessage() {
    MSG message;
    if (!::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    Dispatch(message);
    return true;
}

void ApplicationObject::Dispatch(MSG& message) {
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return;
    }
    // By index: a handler the dialog calls may add or remove one.
    for (std::size_t i = 0; i < dialogWindows_.size(); ++i)
        if (::IsWindowVisible(dialogWindows_[i]) && ::IsDialogMessageA(dialogWindows_[i], &message))
            return;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
}

void ApplicationObject::ProcessMessages() {
    while (ProcessMessage()) {
    }
    RunHandler([] { CheckSynchronize(); });
}

void ApplicationObject::Run() {
    while (!terminated_) {
        // A call handed over from another thread posts a wake-up message;
        // serving here as well covers a wake-up that could not be posted.
        RunHandler([] { CheckSynchronize(); });
        if (terminated_)
            break;
        // The loop waits on its queue alone: every event reaches it as a
        // posted message, as it reaches the system's own loops.
        MSG message;
        if (::GetMessageA(&message, nullptr, 0, 0) != -1)
            Dispatch(message);
    }
}

void ApplicationObject::Terminate() {
    terminated_ = true;
    ::PostQuitMessage(0);
}

void ApplicationObject::ShowException(const std::exception& error) noexcept {
    if (dynamic_cast<const EAbort*>(&error))
        return;
    try {
        ModalMessage(ShownText(error), MB_OK | MB_ICONSTOP);
    } catch (...) {
        ModalMessage(messages::UnknownError(), MB_OK | MB_ICONSTOP);
    }
}

void ApplicationObject::ShowExceptionLater(const std::exception& error) noexcept {
    if (dynamic_cast<const EAbort*>(&error))
        return;
    try {
        PutAside(ShownText(error), MB_OK | MB_ICONSTOP);
    } catch (...) {
        ShowUnknownErrorLater();
    }
}

void ApplicationObject::ShowStartFailure(const std::exception* error) noexcept {
    messageText_ = nullptr;
    onEndSession_ = nullptr;
    onCloseForUpdate_ = nullptr;
    mainWindow_ = nullptr;
    dialogWindows_.clear();
    if (error)
        ShowException(*error);
    else
        ModalMessage(messages::UnknownError(), MB_OK | MB_ICONSTOP);
}

void ApplicationObject::ShowUnknownErrorLater() noexcept {
    PutAside(messages::UnknownError(), MB_OK | MB_ICONSTOP);
}

void ApplicationObject::ShowPlainMessageLater(const std::string& text) noexcept {
    PutAside(text, MB_OK);
}

void ApplicationObject::PutAside(std::string text, UINT flags) noexcept {
    // One report of a failure that comes again and again (a policy applied
    // at each change) while the first still waits to be read.
    const auto same = [&text](const WaitingBox& box) { return box.text == text; };
    if ((openBox_ && *openBox_ == text) ||
        std::any_of(errorsToShow_.begin(), errorsToShow_.end(), same))
        return;
    try {
        errorsToShow_.push_back({std::move(text), flags});
    } catch (...) {
        // No memory for the text: nothing can be shown.
        return;
    }
    ::PostMessageA(window_.Get(), kShowErrorsMessage, 0, 0);
}

std::string ApplicationObject::ShownText(const std::exception& error) const {
    return WithFullStop(messageText_ ? messageText_(error) : error.what(), &IsLeadByte);
}

void ApplicationObject::ShowWaitingErrors() noexcept {
    // One box at a time: the errors wait until the open one is answered.
    while (!BoxOpen() && !errorsToShow_.empty()) {
        // Taken out first: a box shown here lets the loop run, and a tick may
        // put another error aside meanwhile.
        const WaitingBox box = std::move(errorsToShow_.front());
        errorsToShow_.erase(errorsToShow_.begin());
        ModalMessage(box.text, box.flags);
    }
}

int ApplicationObject::ModalMessage(const std::string& text, UINT flags) noexcept {
    const HWND active = ::GetActiveWindow();
    const HWND focus = ::GetFocus();
    // Task-modal: every top-level window of this thread is disabled meanwhile,
    // so when the box goes there is no enabled window to take the activation.
    // While the editor is shown, which stays on top of other windows, the box
    // does too: never behind it.
    const UINT above = mainWindow_ && ::IsWindowVisible(mainWindow_) ? MB_TOPMOST : 0;
    const std::string* outer = std::exchange(openBox_, &text);
    const int answer =
        ::MessageBoxA(nullptr, text.c_str(), title_.c_str(), flags | MB_TASKMODAL | above);
    openBox_ = outer;
    if (active && ::IsWindow(active) && ::IsWindowVisible(active)) {
        ::SetForegroundWindow(active);
        ::SetActiveWindow(active);
        if (focus && ::IsWindow(focus) && ::IsWindowVisible(focus) &&
            ::GetAncestor(focus, GA_ROOT) == active)
            ::SetFocus(focus);
    }
    // Errors put aside meanwhile come now, one after the other.
    if (!errorsToShow_.empty())
        ::PostMessageA(window_.Get(), kShowErrorsMessage, 0, 0);
    return answer;
}

bool ApplicationObject::BringBoxForward() const {
    if (!BoxOpen())
        return false;
    // The box on top, by its caption: the title.
    const HWND box = ::FindWindowA("#32770", title_.c_str());
    if (box && ::GetWindowThreadProcessId(box, nullptr) == ::GetCurrentThreadId())
        ::SetForegroundWindow(box);
    return true;
}

void ApplicationObject::ShowPlainMessage(const std::string& text) {
    ModalMessage(text, MB_OK);
}

} // namespace stilvane
