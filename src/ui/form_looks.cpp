// When the main window's tick runs, in one place. A look (the tick: the
// blocked picture's end, the pause's end, the blocker's signal, the new day)
// has five sources:
// 1. the watch's message: the system tells of every change of the blocker's
//    key, a thread-pool wait posts it, and every loop dispatches it (menus,
//    boxes and the moving of a window too). Such a look also shows what
//    others stored (blocking, the sound) and puts back the folder and the
//    sound when the key was made anew;
// 2. the 333 ms timer, only while something is due within seconds: the
//    blocked picture's two seconds, a look that failed, and where the key
//    cannot be watched (the poll of older versions, for as long as it runs);
// 3. one one-shot wait for the nearest of: the next local day, a timed
//    pause's end, and
// 4. the safety look at least once a minute, which also watches again a key
//    deleted and made again without a notification;
// 5. the wake-up from sleep (and a clock change, which moves the next day).
// Nothing else wakes the program while it waits. A look that finds a signal
// the key will not let go of looks at it again only about once a second
// (TakeSignal).
#include "framework/loop/application.h"
#include "framework/loop/loose_timer.h"
#include "ui/form_Stilvane.h"

#include <algorithm>

namespace stilvane {

namespace {

// The editor, in the same window, has timer 1.
constexpr UINT_PTR kLookTimer = 2;
// The safety look with its tolerance stays within the minute.
constexpr UtcSeconds kSafetyLook = 55;
constexpr ULONG kSafetyTolerance = 5000;
// The new day and a pause's end come within a second of their time.
constexpr ULONG kDueTolerance = 1000;

} // namespace

void TForm_Stilvane::StartLooks() {
    // 1. Values only: the controller's own state in the subkey is none of
    // the tick's business, and its writes there wake nothing.
    signalWatch_ = std::make_unique<RegistryWatch>(
        settings_.Root(), settings_.Path(), [this] { KeyChanged(); }, false, arming_);
    // 2. A tick that fails leaves the timer on: it looks again.
    ThreadTimer1->SetDelay(333);
    ThreadTimer1->SetOnTimer([this](TComponent* s) {
        ThreadTimer1Timer(s);
        ScheduleLooks(false);
    });
    // The first tick takes a signal written before the start, then plans.
    ThreadTimer1->SetActive(true);
    SetLookTimer();
}

void TForm_Stilvane::KeyChanged() {
    lookFailure_.Run([this] { TakeOutsideChanges(); });
    Look();
}

void TForm_Stilvane::Look() {
    bool failed = true;
    lookFailure_.Run([&] {
        ThreadTimer1Timer(nullptr);
        failed = false;
    });
    ScheduleLooks(failed);
}

void TForm_Stilvane::ScheduleLooks(bool lookFailed) {
    const bool timeMatters = lookFailed || !SignalWatched() || BlockShownAt != 0;
    ThreadTimer1->SetActive(timeMatters);
    // While the timer runs, its ticks see the new day; idle, a look just
    // made puts the safety look off by a minute.
    if (!timeMatters || !lookTimerSet_)
        SetLookTimer();
}

void TForm_Stilvane::SetLookTimer() {
    const UtcSeconds now = clock_();
    UtcSeconds due = NextLocalDay(now) - now;
    const std::optional<PauseEnd>& pause = pause_.End();
    if (pause && !pause->atSignIn)
        due = std::min(due, pause->at - now);
    const bool dueFirst = due <= kSafetyLook;
    const UtcSeconds wait = std::clamp<UtcSeconds>(due, 1, kSafetyLook);
    SetLooseTimer(Handle(), kLookTimer, static_cast<UINT>(wait * 1000),
                  dueFirst ? kDueTolerance : kSafetyTolerance);
    lookTimerSet_ = true;
}

void TForm_Stilvane::SafetyLook() {
    // A key deleted and made again may have taken its notifications along
    // (Wine tells no watch of its key's deletion).
    if (signalWatch_ && signalWatch_->Recheck())
        lookFailure_.Run([this] { TakeOutsideChanges(); });
    Application().RunHandler([this] { policy_->RecheckWatches(); });
    Look();
}

bool TForm_Stilvane::HandleLookMessage(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam != kLookTimer)
            return false;
        ::KillTimer(Handle(), kLookTimer);
        lookTimerSet_ = false;
        SafetyLook();
        return true;
    case WM_POWERBROADCAST:
        // Back from sleep: a pause may have ended meanwhile.
        if (wParam != PBT_APMRESUMEAUTOMATIC)
            return false;
        SafetyLook();
        return true;
    case WM_TIMECHANGE:
        // The clock or the time zone moved the next local day.
        SetLookTimer();
        return false;
    }
    return false;
}

} // namespace stilvane
