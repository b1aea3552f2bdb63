// Conversion between 32-bit integers and their text form, as used for
// DIALECTS.INI values and for string registry values read as numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace stilvane {

// Leading spaces are skipped. Decimal: optional "+" or "-" directly followed
// by digits, in -2147483648..2147483647. Hexadecimal: "$", "x", "X", "0x" or
// "0X" followed by one to eight hex digits, no sign; the 32 bits are taken as
// they stand, so "$FFFFFFFF" is -1. Anything else, trailing blanks included,
// gives nullopt.
std::optional<std::int32_t> TryStrToInt(const std::string& text);

// As TryStrToInt, raising EConvertError with the whole text in its message.
std::int32_t StrToInt(const std::string& text);

} // namespace stilvane
