#include "ui/pause/pause_clock.h"

#include "framework/portable/text.h"

namespace stilvane {

namespace {
constexpr char kSignIn[] = "sign-in";
} // namespace

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
    return DayText(c.year, c.month, c.day) + "T" + ZeroPadded(c.hour, 2) + ":" +
           ZeroPadded(c.minute, 2) + ":" + ZeroPadded(c.second, 2) + "Z";
}

std::optional<PauseEnd> ParsePauseRecord(const std::string& text) {
    if (text == kSignIn)
        return PauseEnd{true, 0};
    // Exactly the form written: fixed positions, every field in range (a
    // date such as 02-30 does not survive the round trip).
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || text[19] != 'Z')
        return std::nullopt;
    const auto year = DigitsAt(text, 0, 4), month = DigitsAt(text, 5, 2),
               day = DigitsAt(text, 8, 2), hour = DigitsAt(text, 11, 2),
               minute = DigitsAt(text, 14, 2), second = DigitsAt(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second)
        return std::nullopt;
    const CivilTime c{*year, *month, *day, *hour, *minute, *second};
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
