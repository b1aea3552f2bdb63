// The history of blocked popups: its record, and the days it spans as days
// end, the clock jumps or the record is damaged.
#include "settings/records/block_history.h"

#include <gtest/gtest.h>

#include <numeric>

namespace stilvane {
namespace {

// A history of counts 1, 2, 3, ... from `first`.
BlockHistory Rising(const std::string& first) {
    BlockHistory history{first, {}};
    std::iota(history.counts.begin(), history.counts.end(), 1u);
    return history;
}

TEST(BlockHistory, RecordsReadBackAndNothingElseIsRead) {
    const BlockHistory history = Rising("2026-02-27");
    const std::string text = FormatHistory(history);
    EXPECT_EQ(text.substr(0, 16), "2026-02-27:1,2,3");
    EXPECT_EQ(ParseHistory(text), history);
    const std::string max = "2026-01-01:" + std::string(28 * 2, '0') + "4294967295";
    for (const std::string& bad :
         {std::string(), std::string("2026-02-27"), text + ",30", text.substr(0, text.size() - 3),
          "2026-02-30:" + text.substr(11), "2026-02-27;" + text.substr(11), text + " ",
          std::string("2026-02-27:") + std::string(28, ',') + "-1"})
        EXPECT_EQ(ParseHistory(bad), std::nullopt) << bad.substr(0, 40);
    // Counts beyond 32 bits are held to the largest one.
    BlockHistory big{"2026-01-01", {}};
    big.counts.back() = 0xFFFFFFFF;
    EXPECT_EQ(ParseHistory(FormatHistory(big)), big);
}

TEST(BlockHistory, DaysEndAndTheClockJumps) {
    // 29 days up to 2026-03-01 (a history as of 2026-03-02), the count of that day 50.
    const BlockHistory before = Rising("2026-02-01");
    const BlockCount count{50, 1000, "2026-03-01"};
    struct Case {
        const char* today;
        const char* first;
        std::uint32_t oldest, yesterday;
    } cases[] = {
        {"2026-03-02", "2026-02-01", 1, 50}, // the next day: that day taken in
        {"2026-03-03", "2026-02-02", 2, 0},  // two days on: the day between counts 0
        {"2026-04-01", "2026-03-03", 0, 0},  // 31 days on: nothing left of it
        {"2026-03-01", "2026-01-31", 0, 28}, // a day back: the count's day is today
        {"2026-02-28", "2026-01-30", 0, 27}, // and further back: later days dropped
    };
    for (const Case& c : cases) {
        const BlockHistory after = HistoryAsOf(before, count, c.today);
        EXPECT_EQ(after.firstDay, c.first) << c.today;
        EXPECT_EQ(after.counts.front(), c.oldest) << c.today;
        EXPECT_EQ(after.counts.back(), c.yesterday) << c.today;
    }
    // Its day ahead (the clock set back): the count is today's, kept.
    EXPECT_EQ(LastDays(before, count, "2026-02-28").back(), 50u);
    // Over the ends of a month and a year, from no history at all.
    const BlockHistory newYear = HistoryAsOf({}, {7, 7, "2026-12-31"}, "2027-01-01");
    EXPECT_EQ(newYear.firstDay, "2026-12-03");
    EXPECT_EQ(newYear.counts.back(), 7u);
    const auto days = LastDays(newYear, {3, 10, "2027-01-01"}, "2027-01-01");
    EXPECT_EQ(days.back(), 3u);
    EXPECT_EQ(days[days.size() - 2], 7u);
    EXPECT_EQ(std::accumulate(days.begin(), days.end(), 0u), 10u);
    EXPECT_EQ(LastDays(newYear, {3, 10, "2027-01-01"}, "2027-01-02").back(), 0u);
}

} // namespace
} // namespace stilvane
