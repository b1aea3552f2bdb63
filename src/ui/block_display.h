// When the blocked icon, shown at a tick count, has had its two seconds.
// Tick counts wrap around every 2^32 ms; differences are taken modulo 2^32.
#pragma once

#include <cstdint>

namespace stilvane {

constexpr std::uint32_t kBlockShowMs = 2000;

// `shownAt` 0 means the blocked icon is not showing.
inline bool BlockDisplayOver(std::uint32_t now, std::uint32_t shownAt) {
    return shownAt != 0 && static_cast<std::uint32_t>(now - shownAt) >= kBlockShowMs;
}

// The tick count to record for a block shown at `now`: never 0, which would
// read as "not showing" and keep the blocked icon up for good.
inline std::uint32_t BlockShownAtFor(std::uint32_t now) {
    return now == 0 ? 1 : now;
}

} // namespace stilvane
