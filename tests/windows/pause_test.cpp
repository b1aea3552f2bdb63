// The timed pause, the count of blocked popups and the tip the shell gets.
#include "form_fixture.h"

namespace stilvane {
namespace {

using namespace testing;

TEST_F(PauseTest, APauseIsRecordedFirstAndEndsAtATickPastItsTimeOnceItCanBeWritten) {
    key.SetString("PopupBlocker", "1");
    TForm_Stilvane& f = Build();
    f.Pause15->Click();
    // Chosen again through the menu's own ids: the new end replaces the old.
    HMENU menu = f.PopupMenu1->Build();
    f.PopupMenu1->FindCommand(::GetMenuItemID(::GetSubMenu(menu, 4), 0))->Click();
    ::DestroyMenu(menu);
    EXPECT_EQ(Own("PauseEnds"), "2026-03-01T00:05:00Z");
    EXPECT_EQ(On(), "0");
    EXPECT_EQ(LastIcon(), "paused");
    EXPECT_EQ(Row(0), "Paused until " + LocalTimeText(wall + 300));
    wall += 299;
    f.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(On(), "0");
    wall += 3600; // asleep past the end
    Signal();     // looked at about once a second, as it cannot be deleted, but not counted
    SetAccess(key.Path(), false), SetAccess(Own(), false);
    testing::MessageBoxAnswerer answerer;
    for (int tick = 0; tick < 3; ++tick, now += 1000)
        f.ThreadTimer1Timer(nullptr);
    // One box for the pause, one for the count, one for the signal, however
    // many ticks: shown once the ticks are over.
    testing::PumpFor(1500);
    EXPECT_EQ(answerer.Texts().size(), 3u);
    EXPECT_EQ(On(), "0");
    EXPECT_EQ(Row(0), "Paused until " + LocalTimeText(wall - 3599));
    EXPECT_EQ(f.Counted().total, 0u);
    SetAccess(key.Path(), true), SetAccess(Own(), true);
    now += 1000;
    f.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(On(), "1");
    EXPECT_EQ(Own("PauseEnds"), "");
    now += 2500;
    f.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(LastIcon(), "on");
    EXPECT_EQ(Row(0), Application().Title());
    // A record that cannot be written switches nothing off, and says so.
    SetAccess(Own(), false);
    Application().RunHandler([&f] { f.Pause60->Click(); });
    testing::PumpUntil([&] { return answerer.Texts().size() == 4; }, 3000); // after the handler
    ASSERT_EQ(answerer.Texts().size(), 4u);
    const std::string failed = "The pause could not start: the registry key HKEY_CURRENT_USER\\" +
                               Own() + " cannot be written (";
    EXPECT_EQ(answerer.Texts()[3].substr(0, failed.size()), failed);
    EXPECT_EQ(On(), "1");
    SetAccess(Own(), true);
}

TEST_F(PauseTest, ATicksErrorIsShownAfterItAndPollingGoesOnWhileTheBoxIsOpen) {
    key.SetString("PopupBlocker", "1");
    TForm_Stilvane& f = Build();
    f.Pause5->Click();
    SetAccess(Own(), false); // the count cannot be written
    Signal();
    testing::MessageBoxAnswerer answerer(IDOK, [this] {
        // While the box is open: the pause's end passes, two blocks come.
        SetAccess(Own(), true);
        wall += 600;
        for (int i = 0; i < 2; ++i) {
            Signal();
            for (int wait = 0; wait < 40 && key.Exists("PopupBlocker_BlockTime"); ++wait)
                ::Sleep(50);
        }
        ::Sleep(400);
    });
    f.ThreadTimer1Timer(nullptr);
    EXPECT_TRUE(answerer.Texts().empty()); // not from inside the tick
    f.ThreadTimer1->SetActive(true);
    testing::PumpFor(3000);
    f.ThreadTimer1->SetActive(false);
    ASSERT_EQ(answerer.Texts().size(), 1u);
    EXPECT_EQ(answerer.Texts()[0].substr(0, 47), "The count of blocked popups could not be saved:");
    EXPECT_EQ(On(), "1");
    EXPECT_FALSE(f.PauseEnds().has_value());
    EXPECT_EQ(f.Counted().total, 2u);
}

TEST_F(PauseTest, BlockingSwitchedElsewhereEndsThePauseOrStaysAsItWasSet) {
    key.SetString("PopupBlocker", "1");
    TForm_Stilvane& f = Build();
    f.Pause5->Click();
    key.SetString("PopupBlocker", "1"); // on, by another program
    f.ThreadTimer1Timer(nullptr);
    EXPECT_FALSE(f.PauseEnds().has_value());
    EXPECT_EQ(Own("PauseEnds"), "");
    EXPECT_EQ(LastIcon(), "on");
    EXPECT_EQ(Row(0), Application().Title());
    // Another program's own value outlives the pause's end.
    f.Pause5->Click();
    key.SetString("PopupBlocker", "off");
    wall += 600;
    f.ThreadTimer1Timer(nullptr);
    EXPECT_FALSE(f.PauseEnds().has_value());
    EXPECT_EQ(On(), "off");
    EXPECT_FALSE(f.Block->Checked);
    EXPECT_EQ(LastIcon(), "off");
}

TEST_F(PauseTest, TheShellHasTheTipOfEveryStateWithoutAMouseMove) {
    key.SetString("PopupBlocker", "1");
    TForm_Stilvane& f = Build();
    Signal();
    f.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(Row(1), "1 popup blocked today, 1 in all");
    EXPECT_EQ(shellTip, f.TrayIcon1->Hint());
    f.Pause5->Click();
    EXPECT_EQ(Row(0), "Paused until " + LocalTimeText(wall + 300));
    EXPECT_EQ(shellTip, f.TrayIcon1->Hint());
    wall += 600;
    f.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(Row(0), Application().Title());
    EXPECT_EQ(shellTip, f.TrayIcon1->Hint());
}

TEST_F(PauseTest, BlockDoubleClickQuitAndAnUpdateResumeButNotTheClockForSignIn) {
    key.SetString("PopupBlocker", "1");
    TForm_Stilvane& f = Build();
    f.BlockClick(nullptr); // switching off is no pause
    EXPECT_FALSE(f.Pause->Enabled);
    EXPECT_EQ(Own("PauseEnds"), "");
    f.BlockClick(nullptr);
    f.PauseSignIn->Click();
    EXPECT_EQ(Own("PauseEnds"), "sign-in");
    EXPECT_EQ(Row(0), "Paused until next sign-in");
    wall += 86400 * 30;
    f.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(On(), "0");
    const UINT update = ::RegisterWindowMessageA(kCloseForUpdateMessage);
    const HWND tray = f.TrayIcon1->MessageWindow();
    for (const auto& resume : std::initializer_list<std::function<void()>>{
             [&f] { f.BlockClick(nullptr); },
             [tray] { ::SendMessageA(tray, TTrayIcon::kCallbackMessage, 1, WM_LBUTTONDBLCLK); },
             [&f] { f.Beenden1Click(nullptr), ExpectQuit(); },
             [update] { ::SendMessageA(Application().Handle(), update, 0, 0), ExpectQuit(); }}) {
        f.Pause60->Click();
        resume();
        EXPECT_EQ(On(), "1");
        EXPECT_EQ(Own("PauseEnds"), "");
    }
}

TEST_F(PauseTest, AStartEndsEveryRecordButARunningPauseAndSignOutWritesNothing) {
    // Running; ended, too far ahead, sign-in, unreadable, of another kind.
    const std::pair<DWORD, const char*> cases[] = {{REG_SZ, "2026-03-01T00:59:59Z"},
                                                   {REG_SZ, "2026-03-01T00:00:00Z"},
                                                   {REG_SZ, "2026-03-01T03:00:00Z"},
                                                   {REG_SZ, "sign-in"},
                                                   {REG_SZ, "bald"},
                                                   {REG_EXPAND_SZ, "2026-03-01T00:59:59Z"},
                                                   {REG_DWORD, "\x01\0\0"}};
    for (const auto& [type, record] : cases) {
        const bool paused = &record == &cases[0].second;
        key.SetString("PopupBlocker", "0");
        SetOwn("PauseEnds", type, record, type == REG_DWORD ? 4 : strlen(record) + 1);
        EXPECT_EQ(Build().PauseEnds().has_value(), paused) << record;
        EXPECT_EQ(On(), paused ? "0" : "1") << record;
        EXPECT_EQ(Own("PauseEnds").empty(), !paused) << record;
    }
    form->PauseSignIn->Click();
    ::SendMessageA(Application().Handle(), WM_ENDSESSION, TRUE, 0);
    ExpectQuit();
    EXPECT_EQ(On(), "0");
    EXPECT_EQ(Own("PauseEnds"), "sign-in");
}

TEST_F(PauseTest, EachSignalIsCountedByLocalDayAndStoredInTheRightKinds) {
    // A total of another kind keeps its number where it has one; today's
    // count means nothing without a readable day.
    const std::uint64_t big = 1ull << 40;
    const struct {
        DWORD type;
        std::string data;
        DWORD total;
    } totals[] = {{REG_SZ, std::string("500", 4), 501},
                  {REG_QWORD, std::string(reinterpret_cast<const char*>(&big), 8), 0xFFFFFFFF},
                  {REG_BINARY, std::string("\xF4\x01", 2), 501},
                  {REG_SZ, std::string("5 hundred", 10), 1},
                  {REG_MULTI_SZ, std::string("500\0", 5), 1}};
    for (const auto& total : totals) {
        SetOwn("BlockedTotal", total.type, total.data.data(), total.data.size());
        Build();
        Signal(), form->ThreadTimer1Timer(nullptr);
        DWORD stored = 0, size = sizeof stored;
        EXPECT_EQ(::RegGetValueA(HKEY_CURRENT_USER, Own().c_str(), "BlockedTotal", RRF_RT_REG_DWORD,
                                 nullptr, &stored, &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(stored, total.total) << total.type;
    }
    constexpr DWORD kMax = 0xFFFFFFFF;
    SetOwn("BlockedToday", REG_SZ, "7", 2);
    SetOwn("BlockedTotal", REG_DWORD, "\0\0\0", 4);
    SetOwn("BlockedDay", REG_DWORD, &kMax, 4);
    TForm_Stilvane& f = Build();
    for (int i = 0; i < 3; ++i)
        Signal(), f.ThreadTimer1Timer(nullptr);
    DWORD today = 0, size = 4;
    ::RegGetValueA(HKEY_CURRENT_USER, Own().c_str(), "BlockedToday", RRF_RT_REG_DWORD, 0, &today,
                   &size);
    EXPECT_EQ(today, 3u);
    EXPECT_EQ(Own("BlockedTotal"), "3");
    EXPECT_EQ(Own("BlockedDay"), LocalDay(wall));
    EXPECT_EQ(Row(1), "3 popups blocked today, 3 in all");
    EXPECT_EQ(f.Count->Caption, Row(1));
    EXPECT_TRUE(f.Count->Enabled); // opens the statistics

    SetOwn("BlockedTotal", REG_DWORD, &kMax, 4);
    TForm_Stilvane& g = Build(); // read at start
    EXPECT_EQ(Row(1), "3 popups blocked today, 4294967295 in all");
    wall += 86400;
    g.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(Row(1), "0 popups blocked today, 4294967295 in all");
    Signal();
    g.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(Row(1), "1 popup blocked today, 4294967295 in all");
}

} // namespace
} // namespace stilvane
