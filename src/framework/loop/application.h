// The application object: title, the hidden application window, the main
// message loop, message boxes (one at a time) and the default display of
// errors that leave an event handler: after the handler, from the loop.
#pragma once

#include "framework/loop/tray_host.h"
#include "framework/system/unique_handle.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace stilvane {

// Sent by the installers to the application window: the program ends at
// once, asking nothing, so that an unattended upgrade never waits on a box.
constexpr char kCloseForUpdateMessage[] = "Quillane.PopUpBlocker.CloseForUpdate";
// The class of the application window, by which others find the program.
constexpr char kApplicationWindowClass[] = "StilvaneApplication";

class ApplicationObject final : public TrayHost {
public:
    ApplicationObject(const ApplicationObject&) = delete;
    ApplicationObject& operator=(const ApplicationObject&) = delete;
    ~ApplicationObject();

    // Creates the hidden application window and lets other threads wake the
    // message loop. Called once at start-up, before any window is created.
    void Initialize();
    HWND Handle() const { return window_.Get(); }

    const std::string& Title() const { return title_; }
    void SetTitle(std::string title);

    // Runs the message loop until Terminate.
    void Run();
    void Terminate();
    // Handles the messages waiting now, and the calls other threads queued.
    void ProcessMessages();

    // Dialog-style windows whose keyboard navigation (Tab, access keys,
    // Escape) the loop handles while they are shown.
    void AddDialogWindow(HWND window) { dialogWindows_.push_back(window); }
    void RemoveDialogWindow(HWND window) { std::erase(dialogWindows_, window); }

    // The main window: owned by the application window, which carries the
    // taskbar button with the title while the main window is shown.
    HWND MainWindow() const { return mainWindow_; }
    void SetMainWindow(HWND window) { mainWindow_ = window; }
    // Whether the main window is shown when the message loop starts.
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool value) override { showMainForm_ = value; }
    // The program's icon (resource "MAINICON") at the small icon size.
    HICON Icon() const;

    // The taskbar button: shown while the main window is, hidden with it.
    void ShowApplicationWindow();
    void HideApplicationWindow();

    // Called when Windows ends the session (sign-out, shutdown): the program
    // is about to be ended and must let go of what others see (tray icon,
    // timer) at once, showing nothing.
    void SetOnEndSession(std::function<void()> handler) { onEndSession_ = std::move(handler); }
    // Called when an installer asks the program to end for an update; the
    // program then ends without a question. Errors are not shown.
    void SetOnCloseForUpdate(std::function<void()> handler) {
        onCloseForUpdate_ = std::move(handler);
    }

    // Sees every message sent to the application window before it is
    // handled; a hook cannot consume it, and an error that leaves it is shown
    // after the message. Returns an id for RemoveWindowHook.
    int AddWindowHook(WindowHook hook) override;
    void RemoveWindowHook(int id) override;

    // Calls `signalled` on the main thread each time the auto-reset `event`
    // is set. A thread-pool wait hears the event and only posts a message,
    // which every loop dispatches, the system's own (a menu, a box, moving a
    // window) too; the wait is made anew before the call. An error that
    // leaves the call is shown after it. Returns an id for RemoveWait, or 0
    // when the system would not wait for the event.
    int AddWait(HANDLE event, std::function<void()> signalled);
    void RemoveWait(int id);
    // Whether the wait of `id` will hear its event's next setting: false
    // once the system refused to make it anew.
    bool Waiting(int id) const;

    // For the tray icon.
    HICON TrayHostIcon() const override { return Icon(); }
    void ShowFromTray() override;
    void HideToTray() override;

    // Shows an error's message in a box with the stop icon and one OK button,
    // captioned with the title; the program's other windows are disabled
    // while it is open. An EAbort is dropped without a box. Showing an error
    // raises none of its own: when the text cannot be made, the fixed
    // fallback is shown.
    void ShowException(const std::exception& error) noexcept;

    // The same, shown once the message loop gets to it and no other box is
    // open: for code that must not wait on a person, such as a timer tick or
    // a paint. A message already waiting or open is not shown twice.
    void ShowExceptionLater(const std::exception& error) noexcept;
    // A start that failed (`error` null: of no known kind) says why before
    // the program ends: what the main window that failed left with the
    // application (its texts, its handlers) goes first.
    void ShowStartFailure(const std::exception* error) noexcept;
    // An error of no known kind (not a std::exception): the fixed text.
    void ShowUnknownErrorLater() noexcept;
    // ShowPlainMessage, once the message loop gets to it, in turn with the errors.
    void ShowPlainMessageLater(const std::string& text) noexcept;

    // The text an error box shows for an error, in the user's language; the
    // error's own message when none is set.
    void SetMessageText(std::function<std::string(const std::exception&)> text) {
        messageText_ = std::move(text);
    }

    // The guard of an entry point (a window procedure, a hook, a tick, a
    // handler): runs `handler`, and shows whatever error leaves it later,
    // never from inside the procedure (a paint, a tick).
    template <typename Handler> void RunHandler(Handler&& handler) {
        try {
            handler();
        } catch (const std::exception& error) {
            ShowExceptionLater(error);
        } catch (...) {
            ShowUnknownErrorLater();
        }
    }

    // A message without an icon and one OK button (Enter and Esc close it).
    void ShowPlainMessage(const std::string& text);

    // A question with the buttons and icon of `flags` (MB_YESNOCANCEL, ...),
    // captioned with the title; returns the button chosen (IDYES, ...).
    int Ask(const std::string& text, UINT flags) { return ModalMessage(text, flags); }

    // Whether a message box of the program waits for its answer.
    bool BoxOpen() const { return openBox_ != nullptr; }

    // Puts the box that waits for an answer in front; false when there is none.
    bool BringBoxForward() const;

private:
    friend ApplicationObject& Application();
    ApplicationObject() = default;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // One message from the queue; false when there was none.
    bool ProcessMessage();
    // The wait of `id` heard its event: made anew, then its call.
    void ServeWait(int id);
    void Dispatch(MSG& message);
    // Runs `lastWords` without showing any error, then ends the loop.
    void EndNow(const std::function<void()>& lastWords);
    // A message box that hands activation and the keyboard focus back to
    // where they were when it closes, as a dialog does.
    int ModalMessage(const std::string& text, UINT flags) noexcept;
    // The errors put aside, one box after the other.
    void ShowWaitingErrors() noexcept;
    // Puts a box's text aside for ShowWaitingErrors.
    void PutAside(std::string text, UINT flags) noexcept;
    // What the box shows for `error`, with the full stop.
    std::string ShownText(const std::exception& error) const;

    std::string title_;
    UniqueWindow window_;
    std::vector<HWND> dialogWindows_;
    HWND mainWindow_ = nullptr;
    bool showMainForm_ = true;
    mutable UniqueIcon icon_;
    bool terminated_ = false;
    std::vector<std::pair<int, WindowHook>> hooks_;
    std::function<void()> onEndSession_;
    std::function<void()> onCloseForUpdate_;
    std::function<std::string(const std::exception&)> messageText_;
    UINT closeForUpdateMessage_ = 0;
    struct WaitingBox {
        std::string text;
        UINT flags;
    };
    std::vector<WaitingBox> errorsToShow_;
    const std::string* openBox_ = nullptr; // the text of the box that waits
    int nextHookId_ = 1;
    struct Wait {
        int id;
        HANDLE event;
        std::function<void()> signalled;
        HANDLE registered; // the thread pool's wait; null when it could not be made
    };
    std::vector<Wait> waits_;
};

// The one application object of the process.
ApplicationObject& Application();

} // namespace stilvane
