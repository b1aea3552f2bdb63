#include "framework/portable/int_text.h"

#include "framework/portable/errors.h"
#include "framework/portable/text.h"

namespace stilvane {

namespace {

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

// One to eight digits; the 32 bits are taken as they are.
std::optional<std::int32_t> ParseHex(std::string_view digits) {
    if (digits.size() > 8)
        return std::nullopt;
    const auto value = ParseHex32(digits);
    if (!value)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

std::optional<std::int32_t> ParseDecimal(const std::string& text, std::size_t pos) {
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos == text.size())
        return std::nullopt;
    // Accumulate the magnitude in 64 bits; stop as soon as it leaves the range.
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        if (!IsDecimalDigit(text[pos]))
            return std::nullopt;
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace

std::optional<std::int32_t> TryStrToInt(const std::string& text) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string::npos)
        return std::nullopt;
    const char first = text[pos];
    if (first == '$' || first == 'x' || first == 'X')
        return ParseHex(std::string_view(text).substr(pos + 1));
    if (first == '0' && pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X'))
        return ParseHex(std::string_view(text).substr(pos + 2));
    return ParseDecimal(text, pos);
}

std::int32_t StrToInt(const std::string& text) {
    if (const auto value = TryStrToInt(text))
        return *value;
    throw EConvertError(messages::InvalidInteger(text));
}

} // namespace stilvane
