#include "framework/loop/registry_watch.h"

#include "framework/loop/application.h"

namespace stilvane {

namespace {

constexpr DWORD kChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
// The request outlives the thread that made it (Windows 8 and later); older
// systems refuse the flag as an invalid parameter.
constexpr DWORD kThreadAgnostic = 0x10000000L;
// Query rights too: a deleted key is told by a query on its handle.
constexpr REGSAM kWatchAccess = KEY_NOTIFY | KEY_QUERY_VALUE;

bool KeyDeleted(HKEY key) {
    return ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr, nullptr) == ERROR_KEY_DELETED;
}

} // namespace

RegistryWatch::RegistryWatch(HKEY root, std::string path, std::function<void()> changed,
                             bool subkeys, Arming arming)
    : root_(root), path_(std::move(path)), changed_(std::move(changed)), subkeys_(subkeys),
      arming_(arming), event_(::CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
    if (!event_)
        return;
    Wait();
    Arm();
}

void RegistryWatch::Wait() {
    if (Application().Waiting(wait_))
        return;
    Application().RemoveWait(wait_);
    // Armed again before the callback reads anything: no change in between
    // is missed. The callback is a copy: it may end the watch.
    wait_ = Application().AddWait(event_.Get(), [this] {
        Arm();
        const std::function<void()> changed = changed_;
        changed();
    });
}

bool RegistryWatch::Armed() const {
    return armed_ && Application().Waiting(wait_);
}

RegistryWatch::~RegistryWatch() {
    Application().RemoveWait(wait_);
}

bool RegistryWatch::Recheck() {
    if (!event_)
        return false;
    bool stale = !Armed() || !key_ || KeyDeleted(key_.Get());
    if (!stale && watched_ != path_) {
        HKEY opened = nullptr;
        if (::RegOpenKeyExA(root_, path_.c_str(), 0, kWatchAccess, &opened) == ERROR_SUCCESS) {
            ::RegCloseKey(opened);
            stale = true;
        }
    }
    if (!stale)
        return false;
    Wait();
    key_.Reset();
    Arm();
    return true;
}

bool RegistryWatch::OpenNearest() {
    // A key already watched keeps its handle: closing one signals its event.
    for (std::string path = path_;;) {
        if (key_ && path == watched_)
            return true;
        HKEY opened = nullptr;
        if (::RegOpenKeyExA(root_, path.c_str(), 0, kWatchAccess, &opened) == ERROR_SUCCESS) {
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

LONG RegistryWatch::Request(bool atKey) {
    // A key above the watched one tells only of its own subkeys coming and
    // going: changes elsewhere under it are none of the watch's.
    const DWORD filter = atKey ? kChanges : REG_NOTIFY_CHANGE_NAME;
    const BOOL subtree = atKey && subkeys_;
    if (threadAgnostic_) {
        const LONG result =
            arming_(key_.Get(), subtree, filter | kThreadAgnostic, event_.Get(), TRUE);
        if (result != ERROR_INVALID_PARAMETER)
            return result;
        threadAgnostic_ = false;
    }
    return arming_(key_.Get(), subtree, filter, event_.Get(), TRUE);
}

void RegistryWatch::Arm() {
    armed_ = false;
    for (int attempt = 0; attempt < 2 && OpenNearest(); ++attempt) {
        const LONG result = Request(watched_ == path_);
        if (result == ERROR_SUCCESS) {
            armed_ = true;
            return;
        }
        // Deleted meanwhile: once more from what is there now. Any other
        // refusal leaves the watch unarmed, for the owner to poll.
        if (result != ERROR_KEY_DELETED)
            return;
        key_.Reset();
    }
}

} // namespace stilvane
