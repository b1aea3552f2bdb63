#include "framework/portable/civil_time.h"

#include "framework/portable/text.h"

namespace stilvane {

namespace {
constexpr UtcSeconds kDay = 24 * 60 * 60;
} // namespace

std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilTime CivilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    CivilTime c{};
    c.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    c.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    c.year = static_cast<int>(yoe + era * 400 + (c.month <= 2));
    return c;
}

CivilTime CivilFromUtc(UtcSeconds t) {
    const std::int64_t days = (t >= 0 ? t : t - (kDay - 1)) / kDay;
    const std::int64_t rest = t - days * kDay;
    CivilTime c = CivilFromDays(days);
    c.hour = static_cast<int>(rest / 3600);
    c.minute = static_cast<int>(rest / 60 % 60);
    c.second = static_cast<int>(rest % 60);
    return c;
}

UtcSeconds UtcFromCivil(const CivilTime& c) {
    return DaysFromCivil(c.year, c.month, c.day) * kDay + c.hour * 3600 + c.minute * 60 + c.second;
}

std::string DayText(int year, int month, int day) {
    return ZeroPadded(year, 4) + "-" + ZeroPadded(month, 2) + "-" + ZeroPadded(day, 2);
}

std::optional<int> DigitsAt(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::optional<std::int64_t> DayNumber(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto year = DigitsAt(text, 0, 4), month = DigitsAt(text, 5, 2),
               day = DigitsAt(text, 8, 2);
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1)
        return std::nullopt;
    // A date such as 02-30 does not survive the round trip.
    const std::int64_t days = DaysFromCivil(*year, *month, *day);
    const CivilTime back = CivilFromDays(days);
    if (back.month != *month || back.day != *day)
        return std::nullopt;
    return days;
}

bool IsDayText(std::string_view text) {
    return DayNumber(text).has_value();
}

} // namespace stilvane
