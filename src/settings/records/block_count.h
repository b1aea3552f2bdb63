// The count of blocked popups: today's (for one local calendar day) and all
// of them. Counts stop at the largest 32-bit value and never wrap.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace stilvane {

struct BlockCount {
    std::uint32_t today = 0;
    std::uint32_t total = 0;
    std::string day; // the local date "YYYY-MM-DD" that `today` counts; empty: none

    bool operator==(const BlockCount&) const = default;
};

// The count after one more block on local date `date`: a new day starts
// today's count again at 1; a count of a day after `date` goes on, as
// `date`'s.
BlockCount CountBlock(BlockCount count, const std::string& date);

// Today's count as shown on `date`: 0 once the counted day is past, the
// count of a day still ahead as `date`'s.
std::uint32_t BlockedOn(const BlockCount& count, const std::string& date);

// `n` held to the largest 32-bit number.
std::uint32_t SaturatedCount(std::uint64_t n);
// The number a text of decimal digits (and nothing else) stands for, held to
// the largest 32-bit number; nullopt for any other text.
std::optional<std::uint32_t> CountFromDigits(const std::string& text);

} // namespace stilvane
