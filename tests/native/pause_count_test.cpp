// The pause's clock and the count's days, over tables of instants and records.
#include "ui/block_count.h"
#include "ui/pause_clock.h"
#include "ui/tray_tip.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace stilvane {
namespace {

constexpr UtcSeconds k2026_03_01 = 1772323200; // 2026-03-01T00:00:00Z

TEST(PauseClock, EndsAreRecordedAsUtcAndReadBack) {
    struct Case {
        PauseLength length;
        UtcSeconds now;
        const char* record;
    } cases[] = {
        {PauseLength::Minutes5, k2026_03_01 - 1, "2026-03-01T00:04:59Z"},
        {PauseLength::Minutes15, k2026_03_01 - 600, "2026-03-01T00:05:00Z"},
        {PauseLength::Hour1, k2026_03_01 - 1800, "2026-03-01T00:30:00Z"}, // over midnight
        {PauseLength::Hour1, 951868800 - 3600, "2000-03-01T00:00:00Z"},   // over a leap day
        {PauseLength::Minutes5, 0, "1970-01-01T00:05:00Z"},
        {PauseLength::Minutes5, 253402300799 - 300, "9999-12-31T23:59:59Z"},
        {PauseLength::UntilSignIn, k2026_03_01, "sign-in"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.record);
        const PauseEnd end = PauseEndFor(c.length, c.now);
        EXPECT_EQ(FormatPauseRecord(end), c.record);
        EXPECT_EQ(ParsePauseRecord(c.record), end);
    }
}

TEST(PauseClock, UnreadableRecordsAreRefused) {
    for (const char* record :
         {"", "Sign-In", "sign-in ", "2026-03-01T00:05:00", "2026-03-01 00:05:00Z",
          "2026-02-29T00:00:00Z", "2026-13-01T00:00:00Z", "2026-00-10T00:00:00Z",
          "2026-03-00T00:00:00Z", "2026-03-01T24:00:00Z", "2026-03-01T00:60:00Z",
          "2026-03-01T00:00:60Z", "+026-03-01T00:00:00Z", "2026-03-01T00:05:00z",
          "2026-03-01T00:05:00Z\n", "20260301T000500Z"}) {
        EXPECT_EQ(ParsePauseRecord(record), std::nullopt) << record;
    }
    EXPECT_TRUE(ParsePauseRecord("2024-02-29T12:00:00Z").has_value());
}

TEST(PauseClock, WhenAPauseIsOverAndWhatAStartKeeps) {
    const UtcSeconds end = k2026_03_01;
    struct Case {
        UtcSeconds now;
        bool over;
    } cases[] = {
        {end - 1, false},
        {end, true},
        {end + 86400 * 3, true},         // asleep for days
        {end - kLongestPause, false},    // just chosen
        {end - kLongestPause - 1, true}, // clock set back: not trusted
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.now - end);
        EXPECT_EQ(PauseOver({false, end}, c.now), c.over);
        EXPECT_EQ(PauseKeptAtStart(FormatPauseRecord({false, end}), c.now).has_value(), !c.over);
    }
    EXPECT_FALSE(PauseOver({true, 0}, end));
    EXPECT_EQ(PauseKeptAtStart("sign-in", end), std::nullopt);
    EXPECT_EQ(PauseKeptAtStart("bald", end), std::nullopt);
}

TEST(BlockCount, DaysAndLimits) {
    constexpr std::uint32_t kMax = 4294967295u;
    struct Case {
        BlockCount before;
        const char* date;
        BlockCount after;
    } cases[] = {
        {{}, "2026-03-01", {1, 1, "2026-03-01"}},
        {{3, 120, "2026-03-01"}, "2026-03-01", {4, 121, "2026-03-01"}},
        {{3, 120, "2026-03-01"}, "2026-03-02", {1, 121, "2026-03-02"}},
        {{3, 120, "2026-03-02"}, "2026-03-01", {1, 121, "2026-03-01"}}, // clock set back
        {{kMax, kMax, "2026-03-01"}, "2026-03-01", {kMax, kMax, "2026-03-01"}},
        {{kMax, kMax, "2026-03-01"}, "2026-03-02", {1, kMax, "2026-03-02"}},
        {{kMax - 1, 7, "2026-03-01"}, "2026-03-01", {kMax, 8, "2026-03-01"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        const BlockCount after = CountBlock(c.before, c.date);
        EXPECT_EQ(after, c.after);
        EXPECT_EQ(BlockedOn(after, c.date), c.after.today);
        EXPECT_EQ(BlockedOn(after, "2099-01-01"), 0u);
    }
    EXPECT_EQ(DayText(2026, 3, 1), "2026-03-01");
    for (const char* day : {"2026-03-01", "0001-12-31"})
        EXPECT_TRUE(IsDayText(day)) << day;
    for (const char* day : {"", "2026-3-01", "2026-03-01 ", "2026-13-01", "2026-03-32",
                            "2026-03-00", "2026/03/01", "2026-0a-01"})
        EXPECT_FALSE(IsDayText(day)) << day;
}

TEST(TrayTip, RowsFilledInAndCutToTheShellsBuffer) {
    EXPECT_EQ(CountRow("%1 popups blocked today, %2 in all", 3, 120),
              "3 popups blocked today, 120 in all");
    EXPECT_EQ(FillIn("%2/%1 %3 100%", "%2", "b"), "b/%2 %3 100%");
    EXPECT_EQ(TrayTip("Paused until 14:35", "0 today"), "Paused until 14:35\r\n0 today");
    const std::string longRow(200, 'x'), shortRow(10, 'y');
    for (const auto& [first, second] : {std::pair{longRow, shortRow}, std::pair{shortRow, longRow},
                                        std::pair{longRow, longRow}}) {
        const std::string tip = TrayTip(first, second);
        EXPECT_EQ(tip.size(), kTipChars);
        EXPECT_GE(tip.find("\r\n"), std::min<std::size_t>(first.size(), 62));
    }
}

} // namespace
} // namespace stilvane
