#include "settings/site_rule/blocked_site.h"

#include "settings/site_rule/public_suffix.h"
#include "settings/site_rule/url_host.h"

#include <algorithm>

namespace stilvane {

namespace {

bool IsAsciiAlpha(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsSchemeCharacter(char32_t c) {
    return IsAsciiAlpha(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

bool IsSlash(char32_t c) {
    return c == '/' || c == '\\';
}

// The address as the standard reads it: blanks and control characters
// around it, and tabs and line breaks within, are no part of it.
std::u32string Cleaned(std::u32string_view address) {
    while (!address.empty() && address.front() <= U' ')
        address.remove_prefix(1);
    while (!address.empty() && address.back() <= U' ')
        address.remove_suffix(1);
    std::u32string text;
    for (const char32_t c : address)
        if (c != '\t' && c != '\n' && c != '\r')
            text += c;
    return text;
}

// A port after a host's colon: digits up to 65535, or nothing at all.
bool IsPort(std::u32string_view port) {
    port.remove_prefix(std::min(port.find_first_not_of(U'0'), port.size()));
    return std::all_of(port.begin(), port.end(), [](char32_t c) { return c >= '0' && c <= '9'; }) &&
           (port.size() < 5 || (port.size() == 5 && port <= U"65535"));
}

// The host of a special-scheme address as the standard parses it, without a
// trailing dot; nullopt for another scheme or a host that fails.
std::optional<std::string> HostOfAddress(std::u32string_view address) {
    if (address.size() > kLongestAddress)
        return std::nullopt;
    const std::u32string text = Cleaned(address);
    std::u32string_view rest = text;
    const std::size_t colon = rest.find(U':');
    if (colon == std::u32string_view::npos || colon == 0 || !IsAsciiAlpha(rest.front()) ||
        !std::all_of(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(colon),
                     IsSchemeCharacter))
        return std::nullopt;
    std::string scheme;
    for (const char32_t c : rest.substr(0, colon))
        scheme += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 0x20 : c);
    if (scheme != "http" && scheme != "https" && scheme != "ftp")
        return std::nullopt;
    // Any slashes after the scheme, none included ("http:example.com").
    rest.remove_prefix(colon + 1);
    while (!rest.empty() && IsSlash(rest.front()))
        rest.remove_prefix(1);
    std::u32string_view authority = rest.substr(
        0, static_cast<std::size_t>(
               std::find_if(rest.begin(), rest.end(),
                            [](char32_t c) { return IsSlash(c) || c == '?' || c == '#'; }) -
               rest.begin()));
    // User name and password go: the host follows the last "@".
    if (const std::size_t at = authority.rfind(U'@'); at != std::u32string_view::npos)
        authority.remove_prefix(at + 1);
    // The port's colon is the first one outside an IPv6 address's brackets.
    std::size_t portColon = std::u32string_view::npos;
    for (std::size_t i = 0, brackets = 0;
         i < authority.size() && portColon == std::u32string_view::npos; ++i) {
        if (authority[i] == '[')
            brackets = 1;
        else if (authority[i] == ']')
            brackets = 0;
        else if (authority[i] == ':' && !brackets)
            portColon = i;
    }
    if (portColon != std::u32string_view::npos) {
        if (!IsPort(authority.substr(portColon + 1)))
            return std::nullopt;
        authority = authority.substr(0, portColon);
    }
    if (authority.empty())
        return std::nullopt;
    std::optional<std::string> host = ParsedHost(authority);
    if (host && host->ends_with('.'))
        host->pop_back(); // the root's dot
    return host;
}

// Whether a host fits DNS: labels of 1 to 63 characters, at most 253 in all.
bool FitsDns(std::string_view host) {
    if (host.empty() || host.size() > kLongestHost)
        return false;
    for (std::size_t start = 0;;) {
        const std::size_t dot = host.find('.', start);
        const std::size_t length = std::min(dot, host.size()) - start;
        if (length == 0 || length > kLongestLabel)
            return false;
        if (dot == std::string_view::npos)
            return true;
        start = dot + 1;
    }
}

std::string SiteOfHost(std::string host) {
    if (!FitsDns(host))
        return {};
    // "www.example.com" is example.com, but "www.com" and "www.co.uk" stay
    // what they are. Every leading "www." goes, so that a site read back
    // from its record is the same site again.
    while (host.starts_with("www.") && host.find('.', 4) != std::string::npos &&
           !IsPublicSuffix(std::string_view(host).substr(4)))
        host.erase(0, 4);
    return host;
}

std::optional<std::wstring> ReadAscii(std::string_view bytes) {
    if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; }))
        return std::nullopt;
    return std::wstring(bytes.begin(), bytes.end());
}

// The host of an address, within DNS's lengths; empty when it names none.
std::string DnsHostOfAddress(std::u32string_view address) {
    const std::optional<std::string> host = HostOfAddress(address);
    return host && FitsDns(*host) ? *host : std::string();
}

bool Covers(const std::string& entry, std::string_view site, CodePageReader read) {
    const std::optional<std::wstring> wide = read(entry);
    if (!wide || site.empty())
        return false;
    std::u32string text = Cleaned(CodePointsOf(*wide));
    const bool scheme = text.find(U"://") != std::u32string::npos;
    if (!scheme)
        text.insert(0, U"http://");
    std::string host = DnsHostOfAddress(text);
    if (host == site)
        return true;
    // Without a scheme, "*.example.com" and ".example.com" name a domain with
    // all the names in it.
    if (!scheme && (text.starts_with(U"http://*.") || text.starts_with(U"http://.")))
        host = DnsHostOfAddress(U"http://" + text.substr(text.find(U'.') + 1));
    return !host.empty() && site.size() > host.size() && site.ends_with(host) &&
           site[site.size() - host.size() - 1] == '.' && host.front() != '[' &&
           !IsPublicSuffix(host);
}

} // namespace

std::u32string CodePointsOf(std::wstring_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<char32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] <= 0xDFFF) {
                out += 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
                continue;
            }
        }
        out += c >= 0xD800 && c <= 0xDFFF ? U'\uFFFD' : c;
    }
    return out;
}

std::string SiteOfAddress(std::u32string_view address) {
    const std::optional<std::string> host = HostOfAddress(address);
    return host ? SiteOfHost(*host) : std::string();
}

std::string SiteOfAddress(std::string_view address, CodePageReader read) {
    // The text ends at its first NUL, as a string value's does.
    address = address.substr(0, address.find('\0'));
    if (address.empty() || address.size() > kLongestAddress)
        return {};
    const std::optional<std::wstring> text = read(address);
    return text ? SiteOfAddress(CodePointsOf(*text)) : std::string();
}

bool IsSite(std::string_view text) {
    return !text.empty() && SiteOfAddress("http://" + std::string(text), ReadAscii) == text;
}

bool MayAllow(std::string_view site) {
    return !site.empty() && !IsPublicSuffix(site);
}

std::optional<std::string> CoveringEntry(const std::vector<std::string>& entries,
                                         std::string_view site, CodePageReader read) {
    for (const std::string& entry : entries)
        if (Covers(entry, site, read))
            return entry;
    return std::nullopt;
}

} // namespace stilvane
