// Which picture the tray icon shows: the blocking state (on, off), and for
// two seconds after a block signal the blocked picture. Tick counts wrap
// around every 2^32 ms; differences are taken modulo 2^32.
#pragma once

#include <cstdint>
#include <optional>

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

enum class TrayPicture { On, Off, Blocked, Paused };

// The picture of the blocking state, as a toggle or a click shows it.
constexpr TrayPicture StatePicture(bool blocking) {
    return blocking ? TrayPicture::On : TrayPicture::Off;
}

// What a tick at `now` changes: once the blocked picture has had its two
// seconds, the display ends (`shownAt` becomes 0) and the picture of the
// state comes back; otherwise nothing changes.
inline std::optional<TrayPicture> PictureAtTick(std::uint32_t now, std::uint32_t& shownAt,
                                                bool blocking) {
    if (!BlockDisplayOver(now, shownAt))
        return std::nullopt;
    shownAt = 0;
    return StatePicture(blocking);
}

// A block signal found at `now`: the blocked picture, for two seconds from now.
inline TrayPicture PictureAtSignal(std::uint32_t now, std::uint32_t& shownAt) {
    shownAt = BlockShownAtFor(now);
    return TrayPicture::Blocked;
}

} // namespace stilvane
