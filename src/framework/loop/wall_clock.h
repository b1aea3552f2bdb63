// The system clock in UTC seconds, and local dates and times of its
// instants in the user's settings.
#pragma once

#include "framework/portable/civil_time.h"

#include <string>

namespace stilvane {

UtcSeconds UtcNow();

// The local date "YYYY-MM-DD" of an instant.
std::string LocalDay(UtcSeconds t);

// The first instant of the local day after the one `t` falls on.
UtcSeconds NextLocalDay(UtcSeconds t);

// The local time of an instant in the user's format, without seconds.
std::string LocalTimeText(UtcSeconds t);

} // namespace stilvane
