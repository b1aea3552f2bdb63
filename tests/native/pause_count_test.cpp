// The pause's clock and the count's days, over tables of instants and records.
#include "framework/portable/civil_time.h"
#include "framework/portable/text.h"
#include "settings/records/block_count.h"
#include "ui/pause/pause_clock.h"
#include "ui/tray/tray_tip.h"

#include <gtest/gtest.h>

namespace stilvane {
namespace {

constexpr UtcSeconds k2026_03_01 = 1772323200; // 2026-03-01T00:00:00Z
using enum PauseLength;

TEST(PauseClock, EndsAreRecordedAsUtcAndReadBackAndNothingElseIsRead) {
    struct Case {
        PauseLength length;
        UtcSeconds now;
        const char* record;
    } cases[] = {
        {Minutes5, k2026_03_01 - 1, "2026-03-01T00:04:59Z"},
        {Minutes15, k2026_03_01 - 600, "2026-03-01T00:05:00Z"},
        {Hour1, 951868800 - 3600, "2000-03-01T00:00:00Z"}, // over a leap day
        {Minutes5, 0, "1970-01-01T00:05:00Z"},
        {Minutes5, 253402300799 - 300, "9999-12-31T23:59:59Z"},
        {UntilSignIn, k2026_03_01, "sign-in"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatPauseRecord(PauseEndFor(c.length, c.now)), c.record);
        EXPECT_EQ(ParsePauseRecord(c.record), PauseEndFor(c.length, c.now)) << c.record;
    }
    for (const char* record :
         {"", "Sign-In", "sign-in ", "2026-03-01T00:05:00", "2026-03-01 00:05:00Z",
          "2026-02-29T00:00:00Z", "2026-13-01T00:00:00Z", "2026-00-10T00:00:00Z",
          "2026-03-00T00:00:00Z", "2026-03-01T24:00:00Z", "2026-03-01T00:60:00Z",
          "2026-03-01T00:00:60Z", "+026-03-01T00:00:00Z", "2026-03-01T00:05:00Z\n"})
        EXPECT_EQ(ParsePauseRecord(record), std::nullopt) << record;
}

TEST(PauseClock, WhenAPauseIsOverAndWhatAStartKeeps) {
    const UtcSeconds end = k2026_03_01;
    const std::pair<UtcSeconds, bool> cases[] = {
        {end - 1, false},
        {end, true},
        {end + 86400 * 3, true}, // asleep for days
        {end - kLongestPause, false},
        {end - kLongestPause - 1, true}, // clock set back
    };
    for (const auto& [now, over] : cases) {
        EXPECT_EQ(PauseOver({false, end}, now), over) << now - end;
        EXPECT_EQ(PauseKeptAtStart(FormatPauseRecord({false, end}), now).has_value(), !over);
    }
    EXPECT_FALSE(PauseOver({true, 0}, end));
    EXPECT_EQ(PauseKeptAtStart("sign-in", end), std::nullopt);
    EXPECT_EQ(PauseKeptAtStart("bald", end), std::nullopt);
}

TEST(BlockCount, DaysAndLimits) {
    constexpr std::uint32_t kMax = 4294967295u;
    const char *day1 = "2026-03-01", *day2 = "2026-03-02";
    struct Case {
        BlockCount before;
        const char* date;
        BlockCount after;
    } cases[] = {
        {{}, day1, {1, 1, day1}},
        {{3, 120, day1}, day1, {4, 121, day1}},
        {{3, 120, day1}, day2, {1, 121, day2}},
        {{3, 120, day2}, day1, {4, 121, day1}}, // clock set back: today's count kept
        {{kMax, kMax, day1}, day1, {kMax, kMax, day1}},
        {{kMax, 7, day1}, day2, {1, 8, day2}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CountBlock(c.before, c.date), c.after) << c.date;
        EXPECT_EQ(BlockedOn(c.after, c.date), c.after.today);
        EXPECT_EQ(BlockedOn(c.after, "2099-01-01"), 0u);
    }
    EXPECT_EQ(BlockedOn({3, 120, "2099-01-01"}, day1), 3u); // a day ahead counts as today
    EXPECT_EQ(DayText(2026, 3, 1), day1);
    EXPECT_TRUE(IsDayText(day1));
    for (const char* day : {"", "2026-3-01", "2026-03-01 ", "2026-13-01", "2026-03-32",
                            "2026-03-00", "2026/03/01", "2026-0a-01"})
        EXPECT_FALSE(IsDayText(day)) << day;
}

TEST(TrayTip, RowsFilledInAndCutToTheShellsBuffer) {
    EXPECT_EQ(FillIn("%2/%1 %3 100%", "%2", "b"), "b/%2 %3 100%");
    EXPECT_EQ(TrayTip("Paused until 14:35", "0 today"), "Paused until 14:35\r\n0 today");
    const std::string big(200, 'x'), small(10, 'y');
    EXPECT_EQ(TrayTip(big, small), big.substr(0, 115) + "\r\n" + small);
    EXPECT_EQ(TrayTip(small, big), small + "\r\n" + big.substr(0, 115));
    EXPECT_EQ(TrayTip(big, big), big.substr(0, 63) + "\r\n" + big.substr(0, 62));
}

TEST(BlockCount, DigitsReadAsACountHeldTo32Bits) {
    constexpr std::uint32_t kMax = 0xFFFFFFFF;
    const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
        {"0", 0u},
        {"500", 500u},
        {"4294967295", kMax},
        {"4294967296", kMax},
        {"00000000000000000000000000007", 7u},
        {"99999999999999999999999999", kMax},
        {"", std::nullopt},
        {" 5", std::nullopt},
        {"-1", std::nullopt},
        {"5a", std::nullopt},
    };
    for (const auto& [text, count] : cases)
        EXPECT_EQ(CountFromDigits(text), count) << text;
}

} // namespace
} // namespace stilvane
