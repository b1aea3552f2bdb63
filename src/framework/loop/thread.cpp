#include "framework/loop/thread.h"

#include "framework/loop/main_thread_calls.h"
#include "framework/portable/errors.h"
#include "framework/system/system_error.h"

namespace stilvane {

TThread::TThread()
    : stopEvent_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      handOffDone_(::CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
    DWORD id = 0;
    handle_.Reset(::CreateThread(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &id));
    if (!handle_ || !stopEvent_ || !handOffDone_)
        throw EThread(messages::ThreadCreateFailed(SystemErrorText(::GetLastError())));
}

TThread::~TThread() = default;

void TThread::SetFreeWhenDone(bool value) {
    freeWhenDone_ = value;
}

void TThread::Start() {
    if (started_)
        return;
    if (freeWhenDone_)
        self_ = shared_from_this();
    if (::ResumeThread(handle_.Get()) == static_cast<DWORD>(-1)) {
        const DWORD code = ::GetLastError();
        self_.reset();
        throw EThread(messages::ThreadError(SystemErrorText(code), static_cast<int>(code)));
    }
    started_ = true;
}

void TThread::RequestStop() {
    stopRequested_ = true;
    ::SetEvent(stopEvent_.Get());
}

void TThread::RunOnMainThread(const std::function<void()>& call) {
    stilvane::RunOnMainThread(call, carriedError_, handOffDone_.Get());
}

unsigned long __stdcall TThread::ThreadProc(void* parameter) {
    auto* thread = static_cast<TThread*>(parameter);
    try {
        thread->Execute();
    } catch (...) {
        // Execute ends the thread on any error; nobody is there to show it.
    }
    // Dropping the self-reference may release the object right here.
    const std::shared_ptr<TThread> keep = std::move(thread->self_);
    return 0;
}

} // namespace stilvane
