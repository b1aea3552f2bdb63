#include "framework/loop/main_thread_calls.h"

#include "framework/portable/errors.h"
#include "framework/portable/immortal.h"
#include "framework/system/unique_handle.h"

#include <deque>

namespace stilvane {

namespace {

struct Request {
    const std::function<void()>* call;
    std::exception_ptr* carriedError;
    HANDLE done;
};

// Lives for the whole process: a worker may still hand over a call while
// static objects are being destroyed at exit.
struct HandOff {
    HandOff() { ::InitializeCriticalSection(&lock); }
    CRITICAL_SECTION lock;
    std::deque<Request> requests;
    volatile LONG callsPending = 0;
    std::function<void()> wake;
};

HandOff& State() {
    static Immortal<HandOff> state;
    return state.Get();
}

class Lock {
public:
    Lock() { ::EnterCriticalSection(&State().lock); }
    ~Lock() { ::LeaveCriticalSection(&State().lock); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
};

// Recorded while the program starts, on the main thread.
const DWORD mainThreadId = ::GetCurrentThreadId();
// Created up front so that the first worker does not race to build it.
const bool stateReady = (State(), true);

} // namespace

void RunOnMainThread(const std::function<void()>& call, std::exception_ptr& carriedError,
                     void* done) {
    if (::GetCurrentThreadId() == mainThreadId) {
        call();
        return;
    }
    UniqueKernelHandle ownEvent;
    if (!done) {
        ownEvent.Reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
        done = ownEvent.Get();
    }
    {
        Lock lock;
        carriedError = nullptr;
        State().requests.push_back({&call, &carriedError, done});
        ::InterlockedExchange(&State().callsPending, 1);
        if (State().wake)
            State().wake();
    }
    // Setting the event is the main thread's last touch of the request.
    ::WaitForSingleObject(done, INFINITE);
    if (carriedError)
        std::rethrow_exception(carriedError);
}

bool CheckSynchronize() {
    if (::GetCurrentThreadId() != mainThreadId)
        throw EThread(messages::CheckSynchronizeWrongThread(::GetCurrentThreadId()));
    if (::InterlockedCompareExchange(&State().callsPending, 0, 0) == 0)
        return false;
    Lock lock;
    auto& requests = State().requests;
    if (requests.empty())
        return false;
    while (!requests.empty()) {
        const Request request = requests.front();
        requests.pop_front();
        try {
            (*request.call)();
        } catch (...) {
            *request.carriedError = std::current_exception();
        }
        ::SetEvent(request.done);
    }
    ::InterlockedExchange(&State().callsPending, 0);
    return true;
}

void SetWakeMainThread(std::function<void()> hook) {
    Lock lock;
    State().wake = std::move(hook);
}

} // namespace stilvane
