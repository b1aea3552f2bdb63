#include "framework/registry_watch.h"

#include "framework/application.h"

namespace stilvane {

namespace {

// Posted to the application window, with the watch as its word parameter.
constexpr UINT kRegistryChangedMessage = WM_APP + 2;
constexpr DWORD kChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;

} // namespace

RegistryWatch::RegistryWatch(HKEY root, std::string path, std::function<void()> changed)
    : root_(root), path_(std::move(path)), changed_(std::move(changed)),
      event_(::CreateEventA(nullptr, FALSE, FALSE, nullptr)), window_(Application().Handle()) {
    // The message carries only the watch's address, which is compared and
    // never followed: one that arrives after the watch went finds no hook.
    hook_ = Application().AddWindowHook([this](UINT message, WPARAM wParam, LPARAM) {
        if (message != kRegistryChangedMessage || wParam != reinterpret_cast<WPARAM>(this))
            return;
        // Armed again before the callback reads anything: no change in
        // between is missed. An error in the callback goes to the hook's
        // guard, which shows it after the message.
        Arm();
        changed_();
    });
    if (event_ && ::RegisterWaitForSingleObject(&wait_, event_.Get(), &RegistryWatch::Signalled,
                                                this, INFINITE, WT_EXECUTEDEFAULT))
        Arm();
    else
        wait_ = nullptr;
}

RegistryWatch::~RegistryWatch() {
    // Waits for a callback that is running; none comes after.
    if (wait_)
        ::UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
    Application().RemoveWindowHook(hook_);
}

void CALLBACK RegistryWatch::Signalled(void* watch, BOOLEAN) {
    auto* self = static_cast<RegistryWatch*>(watch);
    ::PostMessageA(self->window_, kRegistryChangedMessage, reinterpret_cast<WPARAM>(self), 0);
}

bool RegistryWatch::OpenNearest() {
    // A key already watched keeps its handle: closing one signals its event.
    for (std::string path = path_;;) {
        if (key_ && path == watched_)
            return true;
        HKEY opened = nullptr;
        if (::RegOpenKeyExA(root_, path.c_str(), 0, KEY_NOTIFY, &opened) == ERROR_SUCCESS) {
            key_.Reset(opened);
            watched_ = path;
            return true;
        }
        if (path.empty())
            return false;
        const std::size_t slash = path.rfind('\\');
        path.erase(slash == std::string::npos ? 0 : slash);
    }
}

void RegistryWatch::Arm() {
    for (int attempt = 0; attempt < 2 && OpenNearest(); ++attempt) {
        // A key above the watched one tells only of its own subkeys coming
        // and going: changes elsewhere under it are none of the watch's.
        const bool atKey = watched_ == path_;
        if (::RegNotifyChangeKeyValue(key_.Get(), atKey, atKey ? kChanges : REG_NOTIFY_CHANGE_NAME,
                                      event_.Get(), TRUE) == ERROR_SUCCESS)
            return;
        // Deleted meanwhile: once more from what is there now.
        key_.Reset();
    }
}

} // namespace stilvane
