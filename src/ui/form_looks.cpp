// When the main window's tick runs. The blocker's signal is a write to the
// settings key, which the system tells of: the tick runs at once, and the
// program sleeps while nothing happens. The 333 ms timer runs only while
// something waits for its time; a one-shot wait brings the next local day,
// and a safety look comes at least once a minute in case a notification
// was lost. Where the key cannot be watched, the timer polls as ever.
#include "framework/application.h"
#include "framework/loose_timer.h"
#include "ui/form_Stilvane.h"

#include <algorithm>

namespace stilvane {

namespace {

// The editor, in the same window, has timer 1.
constexpr UINT_PTR kLookTimer = 2;
// The safety look with its tolerance stays within the minute.
constexpr UtcSeconds kSafetyLook = 55;
constexpr ULONG kSafetyTolerance = 5000;
// The new day comes within a second of its time.
constexpr ULONG kNewDayTolerance = 1000;

} // namespace

void TForm_Stilvane::StartLooks() {
    // Values only: the controller's own state in the subkey is none of the
    // tick's business, and its writes there wake nothing.
    signalWatch_ = std::make_unique<RegistryWatch>(
        settings_.Root(), settings_.Path(), [this] { Look(); }, false, arming_);
    // A box, a menu or a file dialog runs a loop that does not wait on the
    // watch: the timer looks meanwhile, and its first tick after the loop
    // finds that time no longer matters.
    Application().SetOnModalLoop([this](bool inside) {
        insideModalLoop_ = inside;
        if (inside)
            ThreadTimer1->SetActive(true);
    });
    // The first tick takes a signal written before the start, then plans.
    ThreadTimer1->SetActive(true);
    SetLookTimer();
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
    // A signal value that cannot be deleted fails the look: it is looked
    // at again in 333 ms, as while polling.
    const bool timeMatters =
        lookFailed || insideModalLoop_ || !SignalWatched() || BlockShownAt != 0 || pause_.Running();
    ThreadTimer1->SetActive(timeMatters);
    // While the timer runs, its ticks see the new day; idle, a look just
    // made puts the safety look off by a minute.
    if (!timeMatters || !lookTimerSet_)
        SetLookTimer();
}

void TForm_Stilvane::SetLookTimer() {
    const UtcSeconds now = clock_();
    const UtcSeconds newDay = NextLocalDay(now) - now;
    const bool dayFirst = newDay <= kSafetyLook;
    const UtcSeconds wait = std::clamp<UtcSeconds>(newDay, 1, kSafetyLook);
    SetLooseTimer(Handle(), kLookTimer, static_cast<UINT>(wait * 1000),
                  dayFirst ? kNewDayTolerance : kSafetyTolerance);
    lookTimerSet_ = true;
}

void TForm_Stilvane::SafetyLook() {
    // A key deleted and made again may have taken its notifications along
    // (Wine tells no watch of its key's deletion).
    if (signalWatch_)
        signalWatch_->Recheck();
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
