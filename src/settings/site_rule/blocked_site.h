// The site a blocked popup came from: the host of the address the blocker
// reports, in the one form the program keeps, shows and offers to allow; and
// whether an entry of popup-exp.ini already allows it. Platform-free.
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

// Wide text's code points: UTF-16's surrogate pairs joined (where wchar_t
// is 16 bits), a lone surrogate as U+FFFD.
std::u32string CodePointsOf(std::wstring_view text);

// The site of an http, https or ftp address: its host as browsers parse it
// (url_host.h: "HTTP://%65xample.COM" is example.com, "http://0x7f.1" is
// 127.0.0.1, "http:example.com" and tabs or line breaks within are read as
// browsers read them), without a trailing dot, and without a leading "www."
// while what is left has a dot and is no public suffix. User names,
// passwords, ports, paths, queries and fragments never come into it. Empty
// for anything else: another scheme, a file path, over kLongestAddress
// characters, a host the standard fails, an empty label, a host or label
// too long for DNS.
std::string SiteOfAddress(std::u32string_view address);
// The same for an address in a code page; empty when its bytes are none.
std::string SiteOfAddress(std::string_view address, CodePageReader read);

// Whether a text is a site as SiteOfAddress gives them.
bool IsSite(std::string_view text);

// Whether the site may be offered for allowing: a public suffix ("co.uk",
// "github.io") is no one's site, and an entry for it would allow a whole
// registry's names.
bool MayAllow(std::string_view site);

// The first entry that already allows popups from `site`: one whose host
// (an entry without a scheme is a host, perhaps with a path; a leading "."
// or "*." names the domain) is the site itself or a domain the site lies in
// that is no public suffix ("example.com" for "shop.example.com", not
// "le.com", "co.uk" or "www.shop.example.com"). Entries in the code page
// `read` reads. nullopt when none does.
std::optional<std::string> CoveringEntry(const std::vector<std::string>& entries,
                                         std::string_view site, CodePageReader read);

} // namespace stilvane
