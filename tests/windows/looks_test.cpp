// When the main window's tick runs: on a change of the blocker's key, with
// the timer only while time matters, at a new day, at wake-up, and by the
// poll when the key cannot be watched.
#include "form_fixture.h"

namespace stilvane::testing {

namespace {

LONG WINAPI RefuseArming(HKEY, BOOL, DWORD, HANDLE, BOOL) {
    return ERROR_ACCESS_DENIED;
}

class LooksTest : public PauseTest {
protected:
    bool Active() const { return form->ThreadTimer1->Active(); }
    bool Taken() const {
        return ::RegGetValueA(HKEY_CURRENT_USER, key.Path().c_str(), "PopupBlocker_BlockTime",
                              RRF_RT_ANY, nullptr, nullptr, nullptr) != ERROR_SUCCESS;
    }
    void WakeUp() const {
        ::SendMessageA(form->Handle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    }
};

} // namespace

TEST_F(LooksTest, AWriteRunsTheTickAtOnceAndTheTimerRunsOnlyWhileTimeMatters) {
    TForm_Stilvane& f = Build();
    ASSERT_TRUE(f.SignalWatched());
    Signal();
    ASSERT_TRUE(PumpUntil([&] { return f.Counted().total == 1u; }, 2000));
    EXPECT_EQ(LastIcon(), "blocked");
    EXPECT_TRUE(Active()); // the blocked picture's two seconds
    now += 2000;
    EXPECT_TRUE(PumpUntil([&] { return !Active(); }, 2000));
    EXPECT_EQ(LastIcon(), "off");
    f.PauseClick(f.Pause5);
    EXPECT_FALSE(Active()); // a one-shot wait for its end, and the key's changes
    wall += 299;            // a change of the key plans that wait for a second ahead
    key.SetString("Other", "1");
    PumpFor(100);
    wall += 1;
    EXPECT_TRUE(PumpUntil([&] { return !f.PauseEnds().has_value(); }, 3000));
    f.PauseClick(f.Pause5);
    wall += 301; // asleep past the pause's end
    WakeUp();
    EXPECT_FALSE(f.PauseEnds().has_value());
    EXPECT_EQ(On(), "1");
    EXPECT_FALSE(Active());
}

TEST_F(LooksTest, AValueThatCannotBeDeletedIsCountedOnceAndToldOnce) {
    TForm_Stilvane& f = Build();
    MessageBoxAnswerer answerer;
    Signal();
    SetAccess(key.Path(), false);
    ASSERT_TRUE(PumpUntil([&] { return f.Counted().total == 1u; }, 2000));
    for (int i = 0; i < 8; ++i, now += 400) // the picture as ever, looked at again
        PumpFor(150);
    EXPECT_EQ(LastIcon(), "blocked");
    EXPECT_EQ(answerer.Texts().size(), 1u);
    SetAccess(key.Path(), true);
    EXPECT_TRUE(PumpUntil([&] { return Taken(); }, 2000));
    EXPECT_EQ(f.Counted().total, 1u);
}

TEST_F(LooksTest, WithoutTheWatchTheTimerPolls) {
    arming = &RefuseArming;
    TForm_Stilvane& f = Build();
    EXPECT_FALSE(f.SignalWatched());
    WakeUp();
    EXPECT_TRUE(Active());
    Signal();
    EXPECT_TRUE(PumpUntil([&] { return Taken(); }, 2000));
}

TEST_F(LooksTest, TheKeyDeletedAndMadeAgainIsWatchedAgain) {
    Build();
    ASSERT_EQ(::RegDeleteTreeA(HKEY_CURRENT_USER, key.Path().c_str()), ERROR_SUCCESS);
    key.SetString("PopupBlocker", "1");
    WakeUp(); // a look after sleep watches anew
    Signal();
    EXPECT_TRUE(PumpUntil([&] { return Taken(); }, 3000));
}

TEST_F(LooksTest, ANewDayWhileIdleGoesIntoTheHistory) {
    wall = NextLocalDay(wall) - 2;
    Build();
    Signal();
    ASSERT_TRUE(PumpUntil([&] { return Taken(); }, 2000));
    now += 2000;
    ASSERT_TRUE(PumpUntil([&] { return !Active(); }, 2000));
    wall += 3;
    EXPECT_TRUE(PumpUntil([&] { return Own("BlockedHistory").ends_with(",1"); }, 4000))
        << Own("BlockedHistory") << " " << Own("BlockedDay") << " " << LocalDay(wall);
    EXPECT_FALSE(Active());
}

TEST_F(LooksTest, InsideTheSystemsLoopsASignalIsTakenAtOnceAndNoTimerRuns) {
    TForm_Stilvane& f = Build();
    f.Show();
    ASSERT_TRUE(PumpUntil([&] { return !Active(); }, 2000));
    // Ends the menu on the main thread, from a message the loop dispatches.
    const int hook = Application().AddWindowHook([](UINT message, WPARAM, LPARAM) {
        if (message == WM_APP + 77)
            ::EndMenu();
    });
    for (const WPARAM loop : {SC_MOVE, SC_KEYMENU, SC_CLOSE}) {
        bool taken = false, timer = true;
        TestThread blocker([&] {
            ::Sleep(300);
            timer = Active();
            Signal();
            for (int i = 0; i < 50 && !taken; ++i, ::Sleep(20))
                taken = Taken();
            if (loop == SC_MOVE)
                ::PostMessageA(f.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
            if (loop == SC_KEYMENU)
                ::PostMessageA(Application().Handle(), WM_APP + 77, 0, 0);
        });
        const MessageBoxAnswerer answerer(IDNO, [] { ::Sleep(1500); });
        if (loop == SC_CLOSE)
            Application().Ask("?", MB_YESNO);
        else
            ::SendMessageA(f.Handle(), WM_SYSCOMMAND, loop, loop == SC_KEYMENU ? ' ' : 0);
        blocker.Join();
        EXPECT_TRUE(taken) << loop;
        EXPECT_FALSE(timer) << loop;
        now += 2000;
        PumpUntil([&] { return !Active(); }, 2000);
    }
    Application().RemoveWindowHook(hook);
}

TEST_F(LooksTest, AnOutsideChangeShowsAtOnceAndAKeyMadeAgainGetsTheFolderAndTheSound) {
    key.SetString("PopupBlocker", "1");
    TForm_Stilvane& f = Build();
    key.SetString("PopupBlocker", "0");
    key.SetString("PopupBlocker_Sound", "0");
    EXPECT_TRUE(PumpUntil([&] { return LastIcon() == "off"; }, 2000));
    EXPECT_FALSE(f.Sound->Checked);
    ASSERT_EQ(::RegDeleteTreeA(HKEY_CURRENT_USER, key.Path().c_str()), ERROR_SUCCESS);
    key.SetString("PopupBlocker", "1");
    WakeUp(); // Wine tells no watch of its key's deletion
    const auto dir = [&] {
        return ReadRegString(HKEY_CURRENT_USER, key.Path(), "PopupBlocker_Dir");
    };
    EXPECT_TRUE(PumpUntil([&] { return dir() == folder.Path(); }, 2000));
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, key.Path(), "PopupBlocker_Sound"), "1");
    EXPECT_EQ(LastIcon(), "on");
}

TEST(ApplicationWaits, MoreEventsThanOneWaitCanHoldAreEachServed) {
    std::vector<UniqueKernelHandle> events;
    std::vector<int> ids, served;
    for (int i = 0; i < 70; ++i) {
        events.emplace_back(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
        ids.push_back(
            Application().AddWait(events.back().Get(), [&served, i] { served.push_back(i); }));
    }
    ::SetEvent(events[69].Get());
    ::SetEvent(events[3].Get());
    EXPECT_TRUE(PumpUntil([&] { return served.size() == 2; }, 2000));
    for (const int id : ids)
        Application().RemoveWait(id);
}

} // namespace stilvane::testing
