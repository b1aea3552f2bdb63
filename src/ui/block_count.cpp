#include "ui/block_count.h"

#include "framework/text.h"

#include <algorithm>
#include <limits>

namespace stilvane {

namespace {

std::uint32_t OneMore(std::uint32_t n) {
    return n == std::numeric_limits<std::uint32_t>::max() ? n : n + 1;
}

} // namespace

BlockCount CountBlock(BlockCount count, const std::string& date) {
    count.today = count.day == date ? OneMore(count.today) : 1;
    count.total = OneMore(count.total);
    count.day = date;
    return count;
}

std::uint32_t BlockedOn(const BlockCount& count, const std::string& date) {
    return count.day == date ? count.today : 0;
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

std::string DayText(int year, int month, int day) {
    return ZeroPadded(year, 4) + "-" + ZeroPadded(month, 2) + "-" + ZeroPadded(day, 2);
}

bool IsDayText(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    for (const std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < '0' || text[i] > '9')
            return false;
    const int month = (text[5] - '0') * 10 + (text[6] - '0');
    const int day = (text[8] - '0') * 10 + (text[9] - '0');
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

} // namespace stilvane
