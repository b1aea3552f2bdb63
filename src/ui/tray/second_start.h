// A second start of the program: its user wants to see the program, whose
// icon Windows 11 hides in the overflow at first. The second start asks the
// running controller to open its editor, as Edit exceptions does, and ends.
#pragma once

#include <windows.h>

#include <functional>

namespace stilvane {

// Registered by both starts; sent to the first one's application window.
constexpr char kOpenEditorMessage[] = "Quillane.PopUpBlocker.OpenEditor";

// Asks the running controller to open its editor. Waits up to `patience`
// milliseconds for its application window to appear, and as long again for
// its answer; false when there was no window or no answer in time.
bool AskRunningControllerToOpen(DWORD patience);

// While it lives, each request of a second start runs `open`.
class SecondStartListener {
public:
    explicit SecondStartListener(std::function<void()> open);
    ~SecondStartListener();
    SecondStartListener(const SecondStartListener&) = delete;
    SecondStartListener& operator=(const SecondStartListener&) = delete;

private:
    UINT message_;
    int hookId_;
};

} // namespace stilvane
