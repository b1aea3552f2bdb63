// A thread object: an operating-system thread, created suspended, that runs
// Execute once. With FreeWhenDone the object keeps itself alive until its run
// has ended and is released on its own thread afterwards.
#pragma once

#include "framework/system/unique_handle.h"

#include <atomic>
#include <exception>
#include <functional>
#include <memory>

namespace stilvane {

class TThread : public std::enable_shared_from_this<TThread> {
public:
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;
    virtual ~TThread();

    // Lets the operating-system thread run (the first time) or go on.
    // Raises EThread "Thread-Fehler" when the system refuses.
    void Start();

    // Asks Execute to return; it looks at the flag at points of its choosing.
    void RequestStop();
    bool StopRequested() const { return stopRequested_.load(); }

    // Set before Start: the object holds a reference to itself until its run
    // has ended, so that its last owner may let go of it at any time.
    void SetFreeWhenDone(bool value);

    HANDLE Handle() const { return handle_.Get(); }

protected:
    // Creates the suspended thread; raises EThread "Fehler beim Erzeugen des
    // Thread" when that fails.
    TThread();

    virtual void Execute() = 0;

    // Runs `call` on the main thread and waits for it; an error it raises is
    // raised again here.
    void RunOnMainThread(const std::function<void()>& call);

    // Signalled by RequestStop, for Execute to wait on.
    HANDLE StopEvent() const { return stopEvent_.Get(); }

private:
    static unsigned long __stdcall ThreadProc(void* parameter);

    UniqueKernelHandle handle_;
    UniqueKernelHandle stopEvent_;
    UniqueKernelHandle handOffDone_; // set when the main thread ran our call
    std::atomic<bool> stopRequested_{false};
    bool started_ = false;
    bool freeWhenDone_ = false;
    std::shared_ptr<TThread> self_;
    std::exception_ptr carriedError_;
};

} // namespace stilvane
