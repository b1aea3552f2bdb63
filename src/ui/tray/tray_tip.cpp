#include "ui/tray/tray_tip.h"

#include <algorithm>

namespace stilvane {

std::string TrayTip(const std::string& first, const std::string& second, LeadByteTest isLead) {
    constexpr char kBreak[] = "\r\n";
    constexpr std::size_t kRoom = kTipChars - (sizeof kBreak - 1);
    const std::size_t secondLength = WholeCharacters(second, kRoom / 2, isLead);
    const std::size_t firstLength = WholeCharacters(first, kRoom - secondLength, isLead);
    return first.substr(0, firstLength) + kBreak +
           second.substr(0, WholeCharacters(second, kRoom - firstLength, isLead));
}

} // namespace stilvane
