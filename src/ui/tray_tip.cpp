#include "ui/tray_tip.h"

#include <algorithm>

namespace stilvane {

std::string TrayTip(const std::string& first, const std::string& second) {
    constexpr char kBreak[] = "\r\n";
    constexpr std::size_t kRoom = kTipChars - (sizeof kBreak - 1);
    const std::size_t secondLength = std::min(second.size(), kRoom / 2);
    const std::size_t firstLength = std::min(first.size(), kRoom - secondLength);
    return first.substr(0, firstLength) + kBreak +
           second.substr(0, std::min(second.size(), kRoom - firstLength));
}

} // namespace stilvane
