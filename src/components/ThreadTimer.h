// A timer whose pauses are measured by a worker thread: after each pause the
// worker hands the tick to the main thread and waits until OnTimer has
// returned, so ticks never queue up and the handler may touch windows. An
// error that leaves OnTimer is shown after the tick, once until a tick
// succeeds again, and the next tick comes as ever.
#pragma once

#include "framework/loop/failure_report.h"
#include "framework/loop/thread.h"
#include "framework/portable/component.h"

#include <atomic>
#include <cstdint>
#include <memory>

namespace stilvane {

class TThreadTimer;

class TThreadTimerWorker : public TThread {
public:
    TThreadTimerWorker();

    // Pause in milliseconds, read afresh before every pause; handed to the
    // system as an unsigned count, so -1 never wakes.
    std::atomic<std::uint32_t> Interval{100};
    // Main thread only (NotifyTimer runs there).
    TNotifyEvent TimerHandler;
    TThreadTimer* OwnerTimer = nullptr;

    // Freezes the worker where it stands, or lets it go on; a pause under way
    // keeps its deadline.
    void SetPaused(bool paused);

protected:
    void Execute() override;

private:
    void NotifyTimer();
    // Waits out one pause of `interval` ms; false when a stop was requested.
    bool Pause(std::uint32_t interval);
    // Blocks while paused; false when a stop was requested.
    bool WaitWhilePaused();

    std::atomic<bool> paused_{true};
    UniqueKernelHandle stateChanged_; // auto-reset: pause or resume happened
    FailureReport tickFailure_;       // main thread only
};

class TThreadTimer : public TComponentBase {
public:
    explicit TThreadTimer(TComponent* owner);
    ~TThreadTimer() override;

    bool Active() const { return active_; }
    void SetActive(bool value);
    void SetDelay(std::int32_t value);
    void SetOnTimer(TNotifyEvent value);

private:
    bool active_ = false;
    std::shared_ptr<TThreadTimerWorker> worker_;
};

} // namespace stilvane
