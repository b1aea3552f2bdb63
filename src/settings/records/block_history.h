// The count of blocked popups for each of the last days, kept as one value a
// person can read in the registry editor: the first day and the counts of
// the days from it, oldest first, "2026-03-01:0,4,0,...". Today's own count
// stays beside it (BlockCount); the history takes in a day only once the
// day has ended, so that a block costs no more writes than before.
#pragma once

#include "settings/records/block_count.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace stilvane {

// Days the history and the statistics window span, today included.
constexpr int kHistoryDays = 30;

struct BlockHistory {
    std::string firstDay; // "YYYY-MM-DD" of counts[0]; empty: no history
    std::array<std::uint32_t, kHistoryDays - 1> counts{}; // the days before today

    bool operator==(const BlockHistory&) const = default;
};

// The day text "YYYY-MM-DD" of a day number (days since 1970-01-01).
std::string DayTextOf(std::int64_t days);

// The record's text, and the history it holds; nullopt for a text that is no
// history (such a value is dropped and written anew at the next day's end).
std::string FormatHistory(const BlockHistory& history);
std::optional<BlockHistory> ParseHistory(std::string_view text);

// The history as of `today`: the days before it, with the count of a day
// that has ended (`count`'s own day) taken in. Days the machine was off count
// 0; days after yesterday (a clock set back) are dropped, but a count of a
// day ahead is today's (BlockedOn), never lost.
BlockHistory HistoryAsOf(const BlockHistory& history, const BlockCount& count,
                         const std::string& today);

// The last kHistoryDays days, oldest first, today last: the history's days
// and today's count.
std::array<std::uint32_t, kHistoryDays> LastDays(const BlockHistory& history,
                                                 const BlockCount& count, const std::string& today);

} // namespace stilvane
