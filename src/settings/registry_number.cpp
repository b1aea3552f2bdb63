#include "settings/registry_number.h"

#include "settings/records/block_count.h"

#include <algorithm>

namespace stilvane {

RegNumber ReadRegNumber(std::uint32_t kind, std::size_t stored,
                        std::span<const unsigned char> data) {
    RegNumber number;
    number.kind = kind;
    number.size = stored;
    if (data.size() != stored)
        return number;
    switch (kind) {
    case reg_kind::kDword:
    case reg_kind::kQword:
    case reg_kind::kBinary:
        if (stored <= 8) {
            std::uint64_t bits = 0;
            for (std::size_t i = stored; i-- > 0;)
                bits = bits << 8 | data[i];
            number.bits = bits;
        }
        break;
    case reg_kind::kString:
    case reg_kind::kExpandString: {
        const auto nul = std::find(data.begin(), data.end(), 0);
        number.text = std::string(data.begin(), nul);
        number.textEnded = nul != data.end() && nul + 1 == data.end();
        break;
    }
    default:
        break;
    }
    return number;
}

std::optional<std::uint32_t> RegNumber::Dword() const {
    if (kind != reg_kind::kDword || size != 4 || !bits)
        return std::nullopt;
    return static_cast<std::uint32_t>(*bits);
}

std::optional<std::uint32_t> RegNumber::Narrow() const {
    if (!bits || size > 4)
        return std::nullopt;
    return static_cast<std::uint32_t>(*bits);
}

std::uint32_t RegNumber::Count() const {
    if (bits)
        return SaturatedCount(*bits);
    if (text && textEnded)
        return CountFromDigits(*text).value_or(0);
    return 0;
}

} // namespace stilvane
