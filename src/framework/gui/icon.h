// An owned icon handle with a change notification.
#pragma once

#include "framework/system/unique_handle.h"

#include <functional>
#include <memory>
#include <vector>

namespace stilvane {

class TIcon {
public:
    TIcon() = default;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    HICON Handle() const { return handle_.Get(); }
    bool Empty() const { return !handle_; }

    // Takes a copy of `other`'s picture (the caller keeps its own), then
    // fires OnChange.
    void Assign(const TIcon& other);
    void Assign(HICON icon);
    // Takes ownership of `icon`, then fires OnChange.
    void Adopt(HICON icon);

    // Loads an icon resource of this program at the given size.
    static HICON LoadResource(const char* name, int width, int height);

    std::function<void()> OnChange;

private:
    UniqueIcon handle_;
};

} // namespace stilvane
