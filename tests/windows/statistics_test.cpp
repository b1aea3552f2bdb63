// The history of blocked popups as the controller keeps it, and the
// statistics window that shows it.
#include "form_fixture.h"

namespace stilvane {
namespace {

using namespace testing;

class StatisticsTest : public PauseTest {
protected:
    // The local date `back` days before the test's today.
    std::string DaysBefore(int back) const { return LocalDay(wall - back * 86400); }
};

TEST_F(StatisticsTest, TheHistoryIsWrittenWhenADayEndsNotAtEveryBlock) {
    TForm_Stilvane& f = Build();
    for (int i = 0; i < 3; ++i)
        Signal(), f.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(Own("BlockedHistory"), ""); // three blocks, no history written
    wall += 86400;
    f.ThreadTimer1Timer(nullptr);
    const std::string history = Own("BlockedHistory");
    EXPECT_EQ(history.substr(0, 11), DaysBefore(29) + ":");
    EXPECT_EQ(history.substr(history.size() - 2), ",3");
    Build(); // a start on the same day writes nothing new
    EXPECT_EQ(Own("BlockedHistory"), history);
}

TEST_F(StatisticsTest, TheWindowShowsTheLastDaysFollowsBlocksAndResetsOnlyWhenAsked) {
    // Three days ago 2, yesterday 4, today 8; 20 in all.
    std::string counts;
    for (int day = 29; day >= 1; --day)
        counts += (counts.empty() ? "" : ",") + std::string(day == 3 ? "2" : day == 1 ? "4" : "0");
    const std::string history = DaysBefore(29) + ":" + counts;
    SetOwn("BlockedHistory", REG_SZ, history.c_str(), history.size() + 1);
    const DWORD today = 8, total = 20;
    SetOwn("BlockedToday", REG_DWORD, &today, 4);
    SetOwn("BlockedTotal", REG_DWORD, &total, 4);
    SetOwn("BlockedDay", REG_SZ, DaysBefore(0).c_str(), 11);
    TForm_Stilvane& f = Build();
    f.CountClick(nullptr);
    StatisticsWindow& s = *f.Statistics;
    ASSERT_TRUE(s.IsOpen());
    const auto& bars = s.Bars();
    const int tallest = bars[29].bottom - bars[29].top;
    EXPECT_GT(tallest, 20);
    EXPECT_EQ(bars[28].bottom - bars[28].top, tallest / 2);
    EXPECT_EQ(bars[26].bottom - bars[26].top, tallest / 4);
    EXPECT_EQ(bars[27].top, bars[27].bottom);
    EXPECT_TRUE(bars[29].dated && bars[22].dated && !bars[28].dated);
    EXPECT_EQ(s.Label_Today->Text() + "|" + s.Label_Week->Text() + "|" + s.Label_Total->Text(),
              "Today: 8|Last 7 days: 14|In all: 20");
    EXPECT_EQ(s.Chart->Text(), "14 popups blocked in the last 7 days, 14 in the last 30 days");
    const HWND window = s.Handle();
    f.CountClick(nullptr); // again: the same window, in front
    EXPECT_EQ(f.Statistics->Handle(), window);
    Signal(), f.ThreadTimer1Timer(nullptr); // a block while it is open
    EXPECT_EQ(s.Label_Today->Text(), "Today: 9");
    EXPECT_EQ(bars[29].count, 9u);
    for (const int answer : {IDNO, IDYES}) {
        MessageBoxAnswerer answerer(answer);
        s.Button_ResetClick(nullptr);
        EXPECT_EQ(answerer.Texts().size(), 1u);
        EXPECT_EQ(Own("BlockedTotal") == "", answer == IDYES);
    }
    EXPECT_EQ(Own("BlockedHistory"), "");
    EXPECT_EQ(s.Label_Total->Text(), "In all: 0");
    EXPECT_EQ(s.Chart->Text(), "0 popups blocked in the last 7 days, 0 in the last 30 days");
    EXPECT_EQ(Row(1), "0 popups blocked today, 0 in all");
    EXPECT_EQ(s.Bars()[29].top, s.Bars()[29].bottom); // the empty state
}

} // namespace
} // namespace stilvane
