#include "framework/loop/wall_clock.h"

#include <windows.h>

namespace stilvane {

namespace {

// FILETIME counts 100 ns steps since 1601-01-01.
constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;

SYSTEMTIME LocalTime(UtcSeconds t) {
    const auto ticks = static_cast<std::uint64_t>((t + kSecondsFrom1601To1970) * kTicksPerSecond);
    const FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME universal{}, local{};
    if (!::FileTimeToSystemTime(&utc, &universal) ||
        !::SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return universal;
    return local;
}

} // namespace

UtcSeconds UtcNow() {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    const std::int64_t ticks = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    return ticks / kTicksPerSecond - kSecondsFrom1601To1970;
}

std::string LocalDay(UtcSeconds t) {
    const SYSTEMTIME local = LocalTime(t);
    return DayText(local.wYear, local.wMonth, local.wDay);
}

UtcSeconds NextLocalDay(UtcSeconds t) {
    const SYSTEMTIME local = LocalTime(t);
    const UtcSeconds localNow = UtcFromCivil(
        {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond});
    const UtcSeconds localMidnight =
        (DaysFromCivil(local.wYear, local.wMonth, local.wDay) + 1) * 86400;
    // The offset of now: a clock change at midnight moves the day by its
    // difference, which the next look after it finds.
    return t + (localMidnight - localNow);
}

std::string LocalTimeText(UtcSeconds t) {
    const SYSTEMTIME local = LocalTime(t);
    char text[64];
    if (::GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, text, sizeof text) ==
        0)
        return {};
    return text;
}

} // namespace stilvane
