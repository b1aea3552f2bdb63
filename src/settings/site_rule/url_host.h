// The host of an http, https or ftp address as the URL standard's host
// parser reads it: percent-decoded, mapped and in its ASCII form (idna.h),
// an IPv4 address in dotted decimal and an IPv6 one in its shortest form
// (ip_address.h). Platform-free.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace stilvane {

// The host that `text` (what stands between the scheme's slashes, the user
// name and password, and the port) names; nullopt where the standard fails
// it: a character no host may hold, a name that does not map, a number
// form that is no IPv4 address, a bracket that is no IPv6 address.
std::optional<std::string> ParsedHost(std::u32string_view text);

// UTF-8 decoding as the URL standard does it: each byte that starts no
// whole character is U+FFFD.
std::u32string Utf8Decoded(std::string_view bytes);

} // namespace stilvane
