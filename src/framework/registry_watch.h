// Tells the main thread when anything under a registry key changes, without
// polling: the system signals an event, a wait of the thread pool posts a
// message to the application window, and the message loop calls back.
#pragma once

#include "framework/unique_handle.h"

#include <functional>
#include <string>

namespace stilvane {

class RegistryWatch {
public:
    // Calls `changed` on the main thread after a value or subkey under
    // root\path changed, or the key came or went. While the key does not
    // exist the nearest key above it is watched for its subkeys alone,
    // which tells when the key comes.
    // The application object must be initialised.
    RegistryWatch(HKEY root, std::string path, std::function<void()> changed);
    ~RegistryWatch();
    RegistryWatch(const RegistryWatch&) = delete;
    RegistryWatch& operator=(const RegistryWatch&) = delete;

private:
    static void CALLBACK Signalled(void* watch, BOOLEAN timedOut);
    // Opens the key, or while it is missing the nearest one above it.
    bool OpenNearest();
    // Asks the system for the next change.
    void Arm();

    HKEY root_;
    std::string path_;
    std::function<void()> changed_;
    std::string watched_; // the path of the key watched now
    UniqueRegKey key_;
    UniqueKernelHandle event_;
    HWND window_ = nullptr;
    HANDLE wait_ = nullptr;
    int hook_ = 0;
};

} // namespace stilvane
