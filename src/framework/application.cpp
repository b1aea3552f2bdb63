#include "framework/application.h"

#include "framework/ansi_text.h"
#include "framework/errors.h"
#include "framework/main_thread_calls.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace stilvane {

namespace {
// Posted to the application window: show the errors put aside meanwhile.
constexpr UINT kShowErrorsMessage = WM_APP + 1;
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
    } catch (const std::exception&) {
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
    waits_.push_back({nextHookId_, event, std::move(signalled)});
    return nextHookId_++;
}

void ApplicationObject::RemoveWait(int id) {
    std::erase_if(waits_, [id](const Wait& wait) { return wait.id == id; });
}

bool ApplicationObject::ServeWaits(DWORD timeout) {
    std::vector<HANDLE> events;
    for (const Wait& wait : waits_)
        events.push_back(wait.event);
    const auto count = static_cast<DWORD>(events.size());
    const DWORD result =
        timeout == 0
            ? (count ? ::WaitForMultipleObjects(count, events.data(), FALSE, 0) : WAIT_TIMEOUT)
            : ::MsgWaitForMultipleObjectsEx(count, events.data(), timeout, QS_ALLINPUT,
                                            MWMO_INPUTAVAILABLE);
    if (result >= WAIT_OBJECT_0 + count)
        return false;
    // By the event: a callback may add or remove waits.
    const HANDLE set = events[result - WAIT_OBJECT_0];
    const auto found = std::find_if(waits_.begin(), waits_.end(),
                                    [set](const Wait& wait) { return wait.event == set; });
    if (found != waits_.end()) {
        const std::function<void()> signalled = found->signalled;
        RunHandler(signalled);
    }
    return true;
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
    while (ServeWaits(0) || ProcessMessage()) {
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
        // Without waits, GetMessage looks for a message and sleeps in one
        // call, where peeking and then waiting took two on every tick.
        if (waits_.empty()) {
            MSG message;
            if (::GetMessageA(&message, nullptr, 0, 0) != -1)
                Dispatch(message);
            continue;
        }
        // The events before the messages: a flood of messages never holds
        // one back.
        if (ServeWaits(INFINITE))
            continue;
        while (!terminated_ && ProcessMessage()) {
        }
    }
}

void ApplicationObject::Terminate() {
    terminated_ = true;
    ::PostQuitMessage(0);
}

void ApplicationObject::ShowException(const std::exception& error) {
    if (dynamic_cast<const EAbort*>(&error))
        return;
    ModalMessage(ShownText(error), MB_OK | MB_ICONSTOP);
}

void ApplicationObject::ShowExceptionLater(const std::exception& error) {
    if (dynamic_cast<const EAbort*>(&error))
        return;
    // One report of a failure that comes again and again (a policy applied
    // at each change) while the first still waits to be read.
    std::string text = ShownText(error);
    if ((openBox_ && *openBox_ == text) ||
        std::find(errorsToShow_.begin(), errorsToShow_.end(), text) != errorsToShow_.end())
        return;
    errorsToShow_.push_back(std::move(text));
    ::PostMessageA(window_.Get(), kShowErrorsMessage, 0, 0);
}

std::string ApplicationObject::ShownText(const std::exception& error) const {
    return WithFullStop(messageText_ ? messageText_(error) : error.what(), &IsLeadByte);
}

void ApplicationObject::ShowWaitingErrors() {
    // One box at a time: the errors wait until the open one is answered.
    while (!BoxOpen() && !errorsToShow_.empty()) {
        // Taken out first: a box shown here lets the loop run, and a tick may
        // put another error aside meanwhile.
        const std::string text = errorsToShow_.front();
        errorsToShow_.erase(errorsToShow_.begin());
        ModalMessage(text, MB_OK | MB_ICONSTOP);
    }
}

int ApplicationObject::ModalMessage(const std::string& text, UINT flags) {
    const HWND active = ::GetActiveWindow();
    const HWND focus = ::GetFocus();
    // Task-modal: every top-level window of this thread is disabled meanwhile,
    // so when the box goes there is no enabled window to take the activation.
    // While the editor is shown, which stays on top of other windows, the box
    // does too: never behind it.
    const UINT above = mainWindow_ && ::IsWindowVisible(mainWindow_) ? MB_TOPMOST : 0;
    const std::string* outer = std::exchange(openBox_, &text);
    const ModalLoop loop;
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

ApplicationObject::ModalLoop::ModalLoop() {
    ApplicationObject& application = Application();
    if (application.modalLoops_++ == 0 && application.onModalLoop_)
        application.onModalLoop_(true);
}

ApplicationObject::ModalLoop::~ModalLoop() {
    ApplicationObject& application = Application();
    if (--application.modalLoops_ == 0 && application.onModalLoop_)
        application.onModalLoop_(false);
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
