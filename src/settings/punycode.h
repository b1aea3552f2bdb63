// Punycode (RFC 3492): the ASCII form in which an international host name's
// label travels through DNS, "bücher" as "bcher-kva". Platform-free.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace stilvane {

// The Punycode of a label's characters (without the "xn--" prefix); nullopt
// when the label is too long to encode.
std::optional<std::string> PunycodeOf(std::wstring_view label);

} // namespace stilvane
