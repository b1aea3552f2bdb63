#include "settings/records/block_history.h"

#include "framework/portable/civil_time.h"

#include <algorithm>

namespace stilvane {

std::string DayTextOf(std::int64_t days) {
    const CivilTime c = CivilFromDays(days);
    return DayText(c.year, c.month, c.day);
}

namespace {

// The count the history holds for day `day`, 0 for a day it does not span.
std::uint32_t CountOn(const BlockHistory& history, std::int64_t first, std::int64_t day) {
    const std::int64_t at = day - first;
    return at >= 0 && at < static_cast<std::int64_t>(history.counts.size())
               ? history.counts[static_cast<std::size_t>(at)]
               : 0;
}

} // namespace

std::string FormatHistory(const BlockHistory& history) {
    std::string text = history.firstDay + ":";
    for (std::size_t i = 0; i < history.counts.size(); ++i)
        text += (i ? "," : "") + std::to_string(history.counts[i]);
    return text;
}

std::optional<BlockHistory> ParseHistory(std::string_view text) {
    BlockHistory history;
    if (text.size() < 11 || text[10] != ':' || !IsDayText(text.substr(0, 10)))
        return std::nullopt;
    history.firstDay = std::string(text.substr(0, 10));
    std::size_t at = 11;
    for (std::size_t i = 0; i < history.counts.size(); ++i) {
        const std::size_t end = std::min(text.find(',', at), text.size());
        const auto count = CountFromDigits(std::string(text.substr(at, end - at)));
        if (!count)
            return std::nullopt;
        history.counts[i] = *count;
        if (end == text.size())
            return i + 1 == history.counts.size() ? std::optional(history) : std::nullopt;
        at = end + 1;
    }
    return std::nullopt; // more counts than days
}

BlockHistory HistoryAsOf(const BlockHistory& history, const BlockCount& count,
                         const std::string& today) {
    BlockHistory result;
    const auto day = DayNumber(today);
    if (!day)
        return history;
    const std::int64_t first = *day - static_cast<std::int64_t>(result.counts.size());
    result.firstDay = DayTextOf(first);
    const auto oldFirst = DayNumber(history.firstDay);
    const auto ended = DayNumber(count.day);
    for (std::size_t i = 0; i < result.counts.size(); ++i) {
        const std::int64_t d = first + static_cast<std::int64_t>(i);
        result.counts[i] = ended && *ended == d ? count.today
                           : oldFirst           ? CountOn(history, *oldFirst, d)
                                                : 0;
    }
    return result;
}

std::array<std::uint32_t, kHistoryDays>
LastDays(const BlockHistory& history, const BlockCount& count, const std::string& today) {
    const BlockHistory past = HistoryAsOf(history, count, today);
    std::array<std::uint32_t, kHistoryDays> days{};
    std::copy(past.counts.begin(), past.counts.end(), days.begin());
    days.back() = BlockedOn(count, today);
    return days;
}

} // namespace stilvane
