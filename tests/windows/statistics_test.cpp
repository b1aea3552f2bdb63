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
    // Stores the counts of the 29 days before today, oldest first, today's
    // and all.
    void Store(const std::vector<std::uint32_t>& before, DWORD today, DWORD total) const {
        std::string history = DaysBefore(29);
        for (const std::uint32_t n : before)
            history += (history.size() == 10 ? ":" : ",") + std::to_string(n);
        SetOwn("BlockedHistory", REG_SZ, history.c_str(), history.size() + 1);
        SetOwn("BlockedToday", REG_DWORD, &today, 4);
        SetOwn("BlockedTotal", REG_DWORD, &total, 4);
        SetOwn("BlockedDay", REG_SZ, DaysBefore(0).c_str(), 11);
    }
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
    std::vector<std::uint32_t> before(29, 0);
    before[26] = 2, before[28] = 4;
    Store(before, 8, 20);
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
              "Today: 8|Last 7 days: 14|Total: 20");
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
    EXPECT_EQ(s.Label_Total->Text(), "Total: 0");
    EXPECT_EQ(s.Chart->Text(), "0 popups blocked in the last 7 days, 0 in the last 30 days");
    EXPECT_EQ(Row(1), "0 popups blocked today, 0 in all");
    EXPECT_EQ(s.Bars()[29].top, s.Bars()[29].bottom); // the empty state
}

TEST_F(StatisticsTest, AClosedWindowKeepsNothingAndOpensAgainWithTheFiguresOfNow) {
    Store(std::vector<std::uint32_t>(29, 0), 3, 3);
    TForm_Stilvane& f = Build();
    f.CountClick(nullptr);
    StatisticsWindow& s = *f.Statistics;
    ::SendMessageA(s.Handle(), WM_CLOSE, 0, 0);
    f.CountClick(nullptr); // opened again before the closed window went: it stays
    PumpFor(100);
    ASSERT_TRUE(s.IsOpen());
    const HWND window = s.Handle();
    ::SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(window); }, 2000));
    EXPECT_TRUE(s.Handle() == nullptr && s.Label_Today == nullptr && s.TopSites == nullptr);
    Signal(), f.ThreadTimer1Timer(nullptr); // a block while it is closed
    f.CountClick(nullptr);
    ASSERT_TRUE(s.IsOpen());
    EXPECT_EQ(s.Label_Today->Text(), "Today: 4");
    EXPECT_EQ(s.Bars()[29].count, 4u);
}

TEST_F(StatisticsTest, CountsShowWhereTheyFitAndTheFiguresTakeTheWidthTheyNeed) {
    // Three digits a day, then six days of the largest count: yesterday is the busiest.
    std::vector<std::uint32_t> before(29, 0xFFFFFFFF);
    for (std::uint32_t i = 0; i < 23; ++i)
        before[i] = 100 + i;
    Store(before, 5, 0xFFFFFFFF);
    Build().CountClick(nullptr);
    const StatisticsWindow& s = *form->Statistics;
    const auto& labels = s.CountLabels();
    EXPECT_TRUE(labels[29].shown && labels[28].shown) << "today's or the busiest day's missing";
    int shown = 0;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        shown += labels[i].shown;
        for (std::size_t j = 0; j < i && labels[i].shown; ++j)
            EXPECT_FALSE(labels[j].shown && labels[i].left < labels[j].right &&
                         labels[j].left < labels[i].right)
                << "the counts of days " << j << " and " << i << " run together";
    }
    EXPECT_TRUE(shown > 2 && shown < 30) << shown;
    const HDC dc = ::GetDC(s.Handle());
    ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(s.Handle(), WM_GETFONT, 0, 0)));
    LONG end = 0; // whole, and side by side
    for (const Label* label : {s.Label_Today.get(), s.Label_Week.get(), s.Label_Total.get()}) {
        const std::string text = label->Text();
        SIZE size{};
        ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
        const RECT place = PlaceOf(label->Handle());
        EXPECT_TRUE(place.right - place.left >= size.cx && place.left >= end) << text;
        end = place.right;
    }
    ::ReleaseDC(s.Handle(), dc);
}

TEST_F(StatisticsTest, AChangeOfScaleKeepsTheWholeWindowOnTheScreenAsTheEditorDoes) {
    TForm_Stilvane& f = Build();
    f.CountClick(nullptr);
    StatisticsWindow& s = *f.Statistics;
    // 300 % does not fit the 1,024 x 768 screen; 125 % does.
    for (const int wanted : {288, 120}) {
        // The size the system would suggest, partly off the screen.
        RECT window{}, client{}, area{}, inside{};
        ::GetWindowRect(s.Handle(), &window);
        ::GetClientRect(s.Handle(), &client);
        RECT suggested{500, 400,
                       500 + window.right - window.left - client.right + ScaleToDpi(440, wanted),
                       400 + window.bottom - window.top - client.bottom + ScaleToDpi(252, wanted)};
        ::SendMessageA(s.Handle(), WM_DPICHANGED, MAKEWPARAM(wanted, wanted),
                       reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(s.Dpi() == wanted, wanted == 120) << s.Dpi();
        ::GetWindowRect(s.Handle(), &window);
        ::GetClientRect(s.Handle(), &client);
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        ::IntersectRect(&inside, &window, &area);
        EXPECT_TRUE(::EqualRect(&inside, &window)) << wanted;
        EXPECT_EQ(client.right, ScaleToDpi(440, s.Dpi()));
        const RECT close = PlaceOf(s.Button_Close->Handle());
        EXPECT_EQ(close.right - close.left, ScaleToDpi(96, s.Dpi()));
    }
}

} // namespace
} // namespace stilvane
