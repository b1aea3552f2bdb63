// Punycode (RFC 3492): the ASCII form in which an international host name's
// label travels through DNS, "bücher" as "bcher-kva". Platform-free.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace stilvane {

// The Punycode of a label's characters (without the "xn--" prefix); nullopt
// when the label is too long to encode.
std::optional<std::string> PunycodeOf(std::u32string_view label);

// The characters a label's Punycode (without the "xn--" prefix) stands for;
// nullopt when it is no valid Punycode: a character that is no digit, a
// number past the largest code point, a surrogate, or an end in mid-number.
std::optional<std::u32string> PunycodeDecoded(std::string_view code);

} // namespace stilvane
