#include "ui/pause/timed_pause.h"

#include "framework/loop/wall_clock.h"
#include "framework/portable/errors.h"
#include "framework/portable/text.h"
#include "framework/system/registry.h"
#include "framework/system/system_error.h"

namespace stilvane {

void TimedPause::Begin(PauseEnd end, const std::function<void()>& switchOff) {
    try {
        state_.WritePauseRecord(FormatPauseRecord(end));
    } catch (const ERegistryException& error) {
        throw EOperationError(FailureText(texts_[TextKey::ErrorPauseStart],
                                          KeyName(state_.Root(), state_.Path()), error));
    }
    try {
        switchOff();
    } catch (...) {
        if (!end_)
            state_.RemovePauseRecord();
        throw;
    }
    end_ = end;
}

void TimedPause::TakeRecordAtStart(UtcSeconds now, bool blocking) {
    const auto record = state_.ReadPauseRecord();
    if (!record)
        return;
    // Only a readable time still ahead goes on: no pause outlives its end, a
    // sign-in or a record nobody can read. The end of an ended one is long past.
    const auto kept = PauseKeptAtStart(*record, now);
    end_ = kept && !blocking ? *kept : PauseEnd{};
}

void TimedPause::Forget() {
    state_.RemovePauseRecord();
    end_.reset();
}

std::string TimedPause::TipRow() {
    if (!end_)
        return {};
    if (end_->atSignIn)
        return texts_[TextKey::PausedSignIn];
    if (endTimeOf_ != end_->at) {
        endTimeOf_ = end_->at;
        endTime_ = LocalTimeText(end_->at);
    }
    return FillIn(texts_[TextKey::PausedUntil], endTime_);
}

} // namespace stilvane
