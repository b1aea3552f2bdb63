// Storage for an object that is built on first use and never destroyed, for
// state that threads may still touch while the process is shutting down.
#pragma once

#include <new>
#include <utility>

namespace stilvane {

template <typename T> class Immortal {
public:
    template <typename... Args> explicit Immortal(Args&&... args) {
        ::new (static_cast<void*>(storage_)) T(std::forward<Args>(args)...);
    }
    Immortal(const Immortal&) = delete;
    Immortal& operator=(const Immortal&) = delete;

    T& Get() { return *std::launder(reinterpret_cast<T*>(storage_)); }

private:
    alignas(T) unsigned char storage_[sizeof(T)];
};

} // namespace stilvane
