// The application object: title, message boxes and the default display of
// errors that leave an event handler.
#pragma once

#include <exception>
#include <functional>
#include <string>

namespace stilvane {

class TApplication {
public:
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    // Shows an error's message in a box with the stop icon and one OK button,
    // captioned with the title; the program's other windows are disabled
    // while it is open. An EAbort is dropped without a box.
    void ShowException(const std::exception& error) const;

    // Runs an event handler, showing whatever error leaves it.
    void RunHandler(const std::function<void()>& handler) const;

    // A message without an icon and one OK button (Enter and Esc close it).
    void ShowPlainMessage(const std::string& text) const;

private:
    friend TApplication& Application();
    TApplication() = default;

    std::string title_;
};

// The one application object of the process.
TApplication& Application();

} // namespace stilvane
