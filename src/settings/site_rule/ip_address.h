// IP addresses in a URL's host, read and written as the URL standard does:
// "127.1", "0x7f.1" and "2130706433" are all 127.0.0.1; "[1:0::]" is
// "[1::]". Platform-free.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace stilvane {

// Whether an ASCII host's last label (a trailing dot aside) is a number:
// such a host is an IPv4 address or nothing.
bool EndsInNumber(std::string_view host);

// An IPv4 address of one to four numbers (decimal, "0x" hexadecimal or
// "0" octal, the last filling the rest) in dotted decimal; nullopt when a
// number is none or too large for its place.
std::optional<std::string> Ipv4Address(std::string_view host);

// An IPv6 address (what stands between the brackets) in its shortest
// form: lower case, no leading zeros, the first longest run of two or more
// zero pieces as "::"; nullopt when it is none.
std::optional<std::string> Ipv6Address(std::u32string_view text);

} // namespace stilvane
