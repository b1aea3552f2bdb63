#include "framework/gui/icon.h"

namespace stilvane {

void TIcon::Assign(const TIcon& other) {
    Assign(other.Handle());
}

void TIcon::Assign(HICON icon) {
    Adopt(icon ? ::CopyIcon(icon) : nullptr);
}

void TIcon::Adopt(HICON icon) {
    handle_.Reset(icon);
    if (OnChange)
        OnChange();
}

HICON TIcon::LoadResource(const char* name, int width, int height) {
    return static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), name, IMAGE_ICON, width, height, 0));
}

} // namespace stilvane
