#include "framework/application.h"

#include "framework/errors.h"

#include <windows.h>

namespace stilvane {

TApplication& Application() {
    static TApplication application;
    return application;
}

void TApplication::ShowException(const std::exception& error) const {
    if (dynamic_cast<const EAbort*>(&error))
        return;
    const std::string text = WithFullStop(error.what());
    // Task-modal: every top-level window of this thread is disabled meanwhile.
    ::MessageBoxA(nullptr, text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

void TApplication::RunHandler(const std::function<void()>& handler) const {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowException(error);
    }
}

void TApplication::ShowPlainMessage(const std::string& text) const {
    ::MessageBoxA(nullptr, text.c_str(), title_.c_str(), MB_OK | MB_TASKMODAL);
}

} // namespace stilvane
