#include "settings/records/block_count.h"

#include <algorithm>
#include <limits>

namespace stilvane {

namespace {

std::uint32_t OneMore(std::uint32_t n) {
    return n == std::numeric_limits<std::uint32_t>::max() ? n : n + 1;
}

// Whether the count's day is `date` or after it: a clock set back, or a
// journey west, makes a stored day lie ahead, and its count is today's then.
// Dates "YYYY-MM-DD" sort as text.
bool CountsToday(const BlockCount& count, const std::string& date) {
    return !count.day.empty() && count.day >= date;
}

} // namespace

BlockCount CountBlock(BlockCount count, const std::string& date) {
    count.today = CountsToday(count, date) ? OneMore(count.today) : 1;
    count.total = OneMore(count.total);
    count.day = date;
    return count;
}

std::uint32_t BlockedOn(const BlockCount& count, const std::string& date) {
    return CountsToday(count, date) ? count.today : 0;
}

std::uint32_t SaturatedCount(std::uint64_t n) {
    return n > std::numeric_limits<std::uint32_t>::max() ? std::numeric_limits<std::uint32_t>::max()
                                                         : static_cast<std::uint32_t>(n);
}

std::optional<std::uint32_t> CountFromDigits(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    std::uint64_t n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = std::min<std::uint64_t>(n * 10 + static_cast<std::uint64_t>(c - '0'), 1ull << 33);
    }
    return SaturatedCount(n);
}

} // namespace stilvane
