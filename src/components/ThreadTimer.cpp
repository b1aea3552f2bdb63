#include "components/ThreadTimer.h"

#include "framework/loop/steady_clock.h"

#include <windows.h>

#include <cmath>

namespace stilvane {

TThreadTimerWorker::TThreadTimerWorker()
    : stateChanged_(::CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

void TThreadTimerWorker::SetPaused(bool paused) {
    paused_ = paused;
    ::SetEvent(stateChanged_.Get());
    // The thread was created suspended and first runs at the first resume.
    if (!paused)
        Start();
}

void TThreadTimerWorker::Execute() {
    while (!StopRequested()) {
        if (!WaitWhilePaused() || !Pause(Interval.load()) || !WaitWhilePaused())
            return;
        RunOnMainThread([this] { NotifyTimer(); });
    }
}

bool TThreadTimerWorker::WaitWhilePaused() {
    const HANDLE events[] = {StopEvent(), stateChanged_.Get()};
    while (paused_ && !StopRequested())
        ::WaitForMultipleObjects(2, events, FALSE, INFINITE);
    return !StopRequested();
}

bool TThreadTimerWorker::Pause(std::uint32_t interval) {
    if (interval == 0) {
        ::Sleep(0);
        return !StopRequested();
    }
    const HANDLE events[] = {StopEvent(), stateChanged_.Get()};
    const double start = SteadyMilliseconds();
    for (;;) {
        if (StopRequested())
            return false;
        DWORD timeout = INFINITE;
        if (!paused_ && interval != INFINITE) {
            const double left = interval - (SteadyMilliseconds() - start);
            if (left <= 0)
                return true;
            timeout = static_cast<DWORD>(std::ceil(left));
        }
        ::WaitForMultipleObjects(2, events, FALSE, timeout);
    }
}

void TThreadTimerWorker::NotifyTimer() {
    // The tick's guard: its error never reaches this thread, which would end.
    if (TimerHandler)
        tickFailure_.Run([this] { TimerHandler(static_cast<TComponent*>(OwnerTimer)); });
}

TThreadTimer::TThreadTimer(TComponent* owner)
    : TComponentBase(owner), worker_(std::make_shared<TThreadTimerWorker>()) {
    worker_->SetFreeWhenDone(true);
    worker_->Interval = 100;
    worker_->OwnerTimer = this;
}

TThreadTimer::~TThreadTimer() {
    // A tick already queued for the main thread finds no handler any more.
    worker_->TimerHandler = nullptr;
    worker_->OwnerTimer = nullptr;
    worker_->RequestStop();
    // A worker that never ran is started so that it can end and be freed.
    try {
        worker_->Start();
    } catch (const std::exception&) {
        // Then it stays suspended until the process ends; nothing else to do.
    }
}

void TThreadTimer::SetActive(bool value) {
    if (value == active_)
        return;
    active_ = value;
    worker_->SetPaused(!value);
}

void TThreadTimer::SetDelay(std::int32_t value) {
    worker_->Interval = static_cast<std::uint32_t>(value);
}

void TThreadTimer::SetOnTimer(TNotifyEvent value) {
    worker_->TimerHandler = std::move(value);
}

} // namespace stilvane
