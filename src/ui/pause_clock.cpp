#include "ui/pause_clock.h"

#include "framework/text.h"

namespace stilvane {

namespace {

constexpr char kSignIn[] = "sign-in";
constexpr UtcSeconds kDay = 24 * 60 * 60;

// Days since 1970-01-01 of a civil date, and back (Gregorian, any year).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

bool Digits(const std::string& text, std::size_t at, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

} // namespace

CivilTime CivilFromUtc(UtcSeconds t) {
    const std::int64_t days = (t >= 0 ? t : t - (kDay - 1)) / kDay;
    const std::int64_t rest = t - days * kDay;
    CivilTime c{};
    CivilFromDays(days, c.year, c.month, c.day);
    c.hour = static_cast<int>(rest / 3600);
    c.minute = static_cast<int>(rest / 60 % 60);
    c.second = static_cast<int>(rest % 60);
    return c;
}

UtcSeconds UtcFromCivil(const CivilTime& c) {
    return DaysFromCivil(c.year, c.month, c.day) * kDay + c.hour * 3600 + c.minute * 60 + c.second;
}

PauseEnd PauseEndFor(PauseLength length, UtcSeconds now) {
    switch (length) {
    case PauseLength::Minutes5:
        return {false, now + 5 * 60};
    case PauseLength::Minutes15:
        return {false, now + 15 * 60};
    case PauseLength::Hour1:
        return {false, now + kLongestPause};
    case PauseLength::UntilSignIn:
        break;
    }
    return {true, 0};
}

std::string FormatPauseRecord(const PauseEnd& end) {
    if (end.atSignIn)
        return kSignIn;
    const CivilTime c = CivilFromUtc(end.at);
    return ZeroPadded(c.year, 4) + "-" + ZeroPadded(c.month, 2) + "-" + ZeroPadded(c.day, 2) + "T" +
           ZeroPadded(c.hour, 2) + ":" + ZeroPadded(c.minute, 2) + ":" + ZeroPadded(c.second, 2) +
           "Z";
}

std::optional<PauseEnd> ParsePauseRecord(const std::string& text) {
    if (text == kSignIn)
        return PauseEnd{true, 0};
    // Exactly the form written: fixed positions, every field in range (a
    // date such as 02-30 does not survive the round trip).
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || text[19] != 'Z')
        return std::nullopt;
    CivilTime c{};
    if (!Digits(text, 0, 4, c.year) || !Digits(text, 5, 2, c.month) || !Digits(text, 8, 2, c.day) ||
        !Digits(text, 11, 2, c.hour) || !Digits(text, 14, 2, c.minute) ||
        !Digits(text, 17, 2, c.second))
        return std::nullopt;
    if (c.month < 1 || c.month > 12 || c.day < 1 || c.hour > 23 || c.minute > 59 || c.second > 59)
        return std::nullopt;
    const PauseEnd end{false, UtcFromCivil(c)};
    if (FormatPauseRecord(end) != text)
        return std::nullopt;
    return end;
}

bool PauseOver(const PauseEnd& end, UtcSeconds now) {
    if (end.atSignIn)
        return false;
    // An end too far ahead means the clock went back: end rather than wait.
    return now >= end.at || end.at - now > kLongestPause;
}

std::optional<PauseEnd> PauseKeptAtStart(const std::string& record, UtcSeconds now) {
    const auto end = ParsePauseRecord(record);
    if (!end || end->atSignIn || PauseOver(*end, now))
        return std::nullopt;
    return end;
}

} // namespace stilvane
