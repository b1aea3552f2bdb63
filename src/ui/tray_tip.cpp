#include "ui/tray_tip.h"

#include <algorithm>

namespace stilvane {

std::string FillIn(const std::string& pattern, const std::string& first,
                   const std::string& second) {
    // One pass, so that a filled-in text is never searched again.
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            text += pattern[i + 1] == '1' ? first : second;
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::string CountRow(const std::string& pattern, std::uint32_t today, std::uint32_t total) {
    return FillIn(pattern, std::to_string(today), std::to_string(total));
}

std::string TrayTip(const std::string& first, const std::string& second) {
    constexpr char kBreak[] = "\r\n";
    constexpr std::size_t kRoom = kTipChars - (sizeof kBreak - 1);
    const std::size_t secondLength = std::min(second.size(), kRoom / 2);
    const std::size_t firstLength = std::min(first.size(), kRoom - secondLength);
    return first.substr(0, firstLength) + kBreak +
           second.substr(0, std::min(second.size(), kRoom - firstLength));
}

} // namespace stilvane
