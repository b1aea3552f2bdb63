// A timed pause of blocking: when it ends, how the end is recorded in the
// registry, and whether a recorded pause still holds. Times are UTC seconds
// of the system clock, so time spent asleep or hibernating counts.
#pragma once

#include "framework/portable/civil_time.h"

#include <optional>
#include <string>

namespace stilvane {

enum class PauseLength { Minutes5, Minutes15, Hour1, UntilSignIn };

// The longest timed pause. A recorded end further ahead than this cannot
// come from this program (or the clock was set back): it is not trusted.
constexpr UtcSeconds kLongestPause = 60 * 60;

struct PauseEnd {
    bool atSignIn = false;
    UtcSeconds at = 0; // unused when atSignIn

    bool operator==(const PauseEnd&) const = default;
};

PauseEnd PauseEndFor(PauseLength length, UtcSeconds now);

// The record: "YYYY-MM-DDTHH:MM:SSZ" in UTC, or "sign-in".
std::string FormatPauseRecord(const PauseEnd& end);
// nullopt when the text is neither (an unreadable record).
std::optional<PauseEnd> ParsePauseRecord(const std::string& text);

// Whether a running pause is over at `now`. A pause until the next sign-in
// lasts while the program runs.
bool PauseOver(const PauseEnd& end, UtcSeconds now);

// The pause a record found at start-up keeps: only a readable time still
// ahead. An ended pause, "sign-in" (this is the next sign-in) and anything
// unreadable give nullopt: blocking goes back on.
std::optional<PauseEnd> PauseKeptAtStart(const std::string& record, UtcSeconds now);

} // namespace stilvane
