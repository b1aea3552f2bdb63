// A timed pause of blocking, driven by the controller. Its end is recorded in
// the controller's own key before blocking goes off, so that whatever
// happens to the program the next start finds it; a start takes up a pause
// that still runs and ends any other record; the pause ends at its time or
// when the user or another program switches blocking on.
#pragma once

#include "framework/portable/civil_time.h"
#include "settings/language/language_texts.h"
#include "settings/records/controller_state.h"
#include "ui/pause/pause_clock.h"

#include <functional>
#include <optional>
#include <string>

namespace stilvane {

class TimedPause {
public:
    // The texts must outlive the pause.
    TimedPause(ControllerState state, const LanguageTexts& texts)
        : state_(std::move(state)), texts_(texts) {}

    bool Running() const { return end_.has_value(); }
    const std::optional<PauseEnd>& End() const { return end_; }

    // Pauses until `end`: the record first, then `switchOff` switches blocking
    // off. When that fails the record goes again, unless a pause was running
    // already. A record that cannot be written raises EOperationError in the
    // user's language.
    void Begin(PauseEnd end, const std::function<void()>& switchOff);
    // At start-up: a recorded pause still running goes on while blocking is
    // off; any other record makes an ended pause, which the caller ends.
    void TakeRecordAtStart(UtcSeconds now, bool blocking);
    bool Over(UtcSeconds now) const { return end_ && PauseOver(*end_, now); }
    // The pause has ended: its record goes (should that fail, the next start
    // ends it).
    void Forget();

    // The tip's row while paused: until when.
    std::string TipRow();

private:
    ControllerState state_;
    const LanguageTexts& texts_;
    std::optional<PauseEnd> end_;
    std::string endTime_;       // local time of the end, looked up once per pause
    UtcSeconds endTimeOf_ = -1; // the end it is the time of
};

} // namespace stilvane
