// The tray icon's pictures, drawn for the size the taskbar shows them at.
#pragma once

#include "framework/system/unique_handle.h"
#include "ui/statistics/block_display.h"

#include <array>

namespace stilvane {

class TrayPictures {
public:
    // Loads every picture at `size` pixels unless they have that size
    // already; true when they were loaded anew.
    bool LoadAt(int size);
    HICON operator[](TrayPicture picture) const {
        return icons_[static_cast<std::size_t>(picture)].Get();
    }

private:
    std::array<UniqueIcon, 4> icons_;
    int size_ = 0;
};

} // namespace stilvane
