// Hand-off of calls from other threads to the main thread: a thread queues a
// call and waits; the main thread serves the queue in CheckSynchronize.
#pragma once

#include <exception>
#include <functional>

namespace stilvane {

// Queues `call` for the main thread and waits until it has run there; runs it
// at once when already on the main thread. An error raised by the call is
// stored in `carriedError` (the calling thread object's) and raised again
// here, in the calling thread. `done` is an auto-reset event of the calling
// thread, kept for all its calls; without one, an event is made for the call.
void RunOnMainThread(const std::function<void()>& call, std::exception_ptr& carriedError,
                     void* done = nullptr);

// Runs every queued call on the main thread. Returns whether there were
// any. Raises EThread when called on another thread.
bool CheckSynchronize();

// Called, under the hand-off lock, whenever a call is queued; the application
// object installs one that wakes its message loop. Empty to remove.
void SetWakeMainThread(std::function<void()> hook);

} // namespace stilvane
