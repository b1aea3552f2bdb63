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
    EXPECT_TRUE(Active());
    wall += 301; // asleep past the pause's end
    WakeUp();
    EXPECT_FALSE(f.PauseEnds().has_value());
    EXPECT_EQ(On(), "1");
    EXPECT_FALSE(Active());
}

TEST_F(LooksTest, AValueThatCannotBeDeletedIsLookedAtAgainByTheTimer) {
    TForm_Stilvane& f = Build();
    MessageBoxAnswerer answerer;
    Signal();
    SetAccess(key.Path(), false);
    WakeUp();
    PumpFor(100); // the write's own notification
    const auto seen = f.Counted().total;
    EXPECT_FALSE(Taken());
    EXPECT_TRUE(PumpUntil([&] { return f.Counted().total > seen; }, 1500)); // by the timer
    SetAccess(key.Path(), true);
    EXPECT_TRUE(PumpUntil([&] { return Taken(); }, 2000));
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

TEST_F(LooksTest, WhileABoxAMenuOrADialogRunsItsOwnLoopTheTimerLooks) {
    Build();
    ASSERT_TRUE(PumpUntil([&] { return !Active(); }, 2000));
    {
        const ApplicationObject::ModalLoop menu;
        EXPECT_TRUE(Active());
        { const ApplicationObject::ModalLoop boxFromTheMenu; }
        EXPECT_TRUE(Active()); // the outer loop still runs
    }
    EXPECT_TRUE(PumpUntil([&] { return !Active(); }, 2000));
}

} // namespace stilvane::testing
