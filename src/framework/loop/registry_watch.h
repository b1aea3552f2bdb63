// Tells the main thread when a registry key changes, without polling: the
// system sets an event, and a thread-pool wait on it posts a message to the
// main thread, which every loop dispatches.
#pragma once

#include "framework/system/unique_handle.h"

#include <functional>
#include <string>

namespace stilvane {

class RegistryWatch {
public:
    // How a change is asked for: RegNotifyChangeKeyValue, or a stand-in
    // for tests that makes it fail.
    using Arming = decltype(&::RegNotifyChangeKeyValue);

    // Calls `changed` on the main thread after a value under root\path
    // changed (with `subkeys`, also a value or subkey of any key below it),
    // or the key came or went. While the key does not exist the nearest key
    // above it is watched for its subkeys alone, which tells when the key
    // comes. The application object must be initialised.
    RegistryWatch(HKEY root, std::string path, std::function<void()> changed, bool subkeys = true,
                  Arming arming = &::RegNotifyChangeKeyValue);
    ~RegistryWatch();
    RegistryWatch(const RegistryWatch&) = delete;
    RegistryWatch& operator=(const RegistryWatch&) = delete;

    // Whether the system will tell of the next change: false when no key on
    // the way up could be opened, or the system refused the request or the
    // wait for its event.
    bool Armed() const;
    // Watches anew when the watched key went, or the missing key came, without
    // a notification (a key deleted with its parent), or arming failed
    // before. True when it did: a change may have been missed.
    bool Recheck();

private:
    // Opens the key, or while it is missing the nearest one above it.
    bool OpenNearest();
    // Asks the system for the next change.
    void Arm();
    LONG Request(bool atKey);
    // The application's wait on the event, made (anew) when there is none.
    void Wait();

    HKEY root_;
    std::string path_;
    std::function<void()> changed_;
    bool subkeys_;
    Arming arming_;
    bool threadAgnostic_ = true; // until the system refuses the flag
    bool armed_ = false;
    std::string watched_; // the path of the key watched now
    UniqueRegKey key_;
    UniqueKernelHandle event_;
    int wait_ = 0; // the application's wait on the event; 0: none
};

} // namespace stilvane
