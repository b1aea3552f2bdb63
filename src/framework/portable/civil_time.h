// Instants of the system clock in UTC seconds, and the calendar dates and
// times they fall on (proleptic Gregorian). Platform-free: the clock itself
// and the local time zone are wall_clock's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace stilvane {

// Seconds since 1970-01-01 00:00:00 UTC.
using UtcSeconds = std::int64_t;

struct CivilTime {
    int year, month, day, hour, minute, second;
};
CivilTime CivilFromUtc(UtcSeconds t);
UtcSeconds UtcFromCivil(const CivilTime& c);

// Days since 1970-01-01 of a date, and back.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day);
CivilTime CivilFromDays(std::int64_t days);

// A date as the program stores it: "YYYY-MM-DD".
std::string DayText(int year, int month, int day);
// The days since 1970-01-01 of a day text; nullopt for anything that is not
// exactly such a text of a real date.
std::optional<std::int64_t> DayNumber(std::string_view text);
bool IsDayText(std::string_view text);

// The number written by `count` decimal digits at `at`; nullopt when the
// text is too short there or any of them is no digit.
std::optional<int> DigitsAt(std::string_view text, std::size_t at, std::size_t count);

} // namespace stilvane
