#include "ui/tray/tray_pictures.h"

#include "framework/gui/icon.h"

namespace stilvane {

namespace {

// The resources, in the order of TrayPicture.
constexpr const char* kResources[] = {"IMAGE_ON", "IMAGE_OFF", "IMAGE_BLOCKED", "IMAGE_PAUSED"};
static_assert(std::size(kResources) == 4 && static_cast<int>(TrayPicture::Paused) == 3);

} // namespace

bool TrayPictures::LoadAt(int size) {
    if (size == size_)
        return false;
    size_ = size;
    for (std::size_t i = 0; i < icons_.size(); ++i)
        icons_[i].Reset(TIcon::LoadResource(kResources[i], size, size));
    return true;
}

} // namespace stilvane
