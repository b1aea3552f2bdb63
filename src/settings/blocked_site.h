// The site a blocked popup came from: the host of the address the blocker
// reports, in the one form the program keeps, shows and offers to allow; and
// whether an entry of popup-exp.ini already allows it. Platform-free: the
// address's code page is read by a function the caller hands in.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stilvane {

// The longest address taken, as long as browsers open; the longest host
// name and label DNS allows.
constexpr std::size_t kLongestAddress = 2083;
constexpr std::size_t kLongestHost = 253;
constexpr std::size_t kLongestLabel = 63;

// The characters of a text in the code page it is written in, as wide text;
// nullopt when some bytes are no character of it.
using CodePageReader = std::optional<std::wstring> (*)(std::string_view bytes);

// The site of an http, https or ftp address: its host, lower case, without
// a leading "www." (when a name with a dot is left), a port or a trailing
// dot; an international name in its "xn--" form; an IP address as written
// (an IPv6 one in its brackets). User names, passwords, paths, queries and
// fragments never come into it. Empty for anything else: no host, another
// scheme, a file path, over kLongestAddress bytes, NUL bytes, bytes outside
// the code page, a host or label too long for DNS.
std::string SiteOfAddress(std::string_view address, CodePageReader read);

// Whether a text is a site as SiteOfAddress gives them.
bool IsSite(std::string_view text);

// The first entry that already allows popups from `site`: one that holds the
// site whole, not as part of a longer name ("shop.example.com",
// "http://shop.example.com/"), or is a whole-label end of it ("example.com"
// for "shop.example.com", but not "le.com"); letters compared without regard
// to case. nullopt when none does.
std::optional<std::string> CoveringEntry(const std::vector<std::string>& entries,
                                         std::string_view site);

} // namespace stilvane
