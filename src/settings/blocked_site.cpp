#include "settings/blocked_site.h"

#include "settings/punycode.h"

#include <algorithm>
#include <cstdint>

namespace stilvane {

namespace {

constexpr std::size_t kNone = std::wstring_view::npos;

// A letter of Latin Extended-A in lower case; 0 for the few that IDNA maps
// to other letters (ĳ, ŀ, ŉ, ſ).
char32_t LatinExtendedLower(char32_t c) {
    if (c == 0x132 || c == 0x133 || c == 0x13F || c == 0x140 || c == 0x149 || c == 0x17F)
        return 0;
    if (c == 0x131 || c == 0x138)
        return c; // dotless i and kra have no capital here
    if (c == 0x178)
        return 0xFF;
    // Capitals stand on the odd places in two runs, on the even ones elsewhere.
    const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    return c % 2 == (oddCapitals ? 1u : 0u) ? c + 1 : c;
}

char32_t GreekLower(char32_t c) {
    switch (c) {
    case 0x386:
        return 0x3AC;
    case 0x38C:
        return 0x3CC;
    case 0x387:
    case 0x38B:
    case 0x38D:
    case 0x3A2:
        return 0;
    default:
        break;
    }
    if (c >= 0x388 && c <= 0x38A)
        return c + 0x25;
    if (c >= 0x38E && c <= 0x38F)
        return c + 0x3F;
    return c >= 0x391 && c <= 0x3AB ? c + 0x20 : c;
}

bool IsEastAsian(char32_t c) {
    return (c >= 0x3041 && c <= 0x3096) || (c >= 0x309D && c <= 0x309E) ||
           (c >= 0x30A1 && c <= 0x30FA) || (c >= 0x30FC && c <= 0x30FE) || c == 0x3005 ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xAC00 && c <= 0xD7A3);
}

// Puts a host's character into `label` as IDNA keeps it: ASCII letters,
// digits, "-" and "_"; the letters of the code pages' alphabets (Latin,
// Greek, Cyrillic, kana, Han, Hangul) in lower case; full-width ASCII as
// ASCII. False for any other character: such a host is no site.
bool AppendHostCharacter(char32_t c, std::wstring& label) {
    if (c >= 0xFF01 && c <= 0xFF5E)
        c -= 0xFEE0;
    if (c < 0x80) {
        if (c >= 'A' && c <= 'Z')
            c += 0x20;
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'))
            return false;
    } else if (c == 0x130) { // the Turkish capital dotted I
        label += L"i\u0307";
        return true;
    } else if (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7) {
        c = c <= 0xDE ? c + 0x20 : c;
    } else if (c >= 0x100 && c <= 0x17F) {
        c = LatinExtendedLower(c);
    } else if (c >= 0x386 && c <= 0x3CE) {
        c = GreekLower(c);
    } else if (c >= 0x400 && c <= 0x45F) {
        c = c < 0x410 ? c + 0x50 : c < 0x430 ? c + 0x20 : c;
    } else if (c == 0x490 || c == 0x491) {
        c = 0x491;
    } else if (!IsEastAsian(c)) {
        return false;
    }
    if (c == 0)
        return false;
    label += static_cast<wchar_t>(c);
    return true;
}

bool IsDot(wchar_t c) {
    // IDNA's full stops: ASCII, ideographic, full-width and half-width.
    return c == L'.' || c == 0x3002 || c == 0xFF0E || c == 0xFF61;
}

// A label as it goes into DNS: ASCII as it is, anything else as "xn--" and
// its Punycode; empty when it is no label.
std::string AsciiLabel(std::wstring_view label) {
    std::wstring mapped;
    for (const wchar_t c : label)
        if (!AppendHostCharacter(static_cast<char32_t>(c), mapped))
            return {};
    if (std::all_of(mapped.begin(), mapped.end(),
                    [](wchar_t c) { return static_cast<std::uint32_t>(c) < 0x80; }))
        return std::string(mapped.begin(), mapped.end());
    const auto encoded = PunycodeOf(mapped);
    return encoded ? "xn--" + *encoded : std::string();
}

bool IsDigits(std::wstring_view text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// A port after a host's colon: at most 65535, or nothing at all.
bool IsPort(std::wstring_view port) {
    port.remove_prefix(std::min(port.find_first_not_of(L'0'), port.size()));
    return IsDigits(port) && (port.size() < 5 || (port.size() == 5 && port <= L"65535"));
}

// "[::1]" as written, lower case; empty for anything else.
std::string Ipv6Literal(std::wstring_view literal) {
    const std::wstring_view inside = literal.substr(1, literal.size() - 2);
    if (inside.empty() || inside.size() > 45 || inside.find(L':') == kNone)
        return {};
    std::string text = "[";
    for (const wchar_t w : inside) {
        const wchar_t c = w >= L'A' && w <= L'F' ? static_cast<wchar_t>(w + 0x20) : w;
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || c == ':' || c == '.'))
            return {};
        text += static_cast<char>(c);
    }
    return text + "]";
}

// The site of an address's host and port.
std::string SiteOfHost(std::wstring_view host) {
    if (!host.empty() && host.front() == L'[') {
        const std::size_t close = host.find(L']');
        if (close == kNone)
            return {};
        const std::wstring_view port = host.substr(close + 1);
        if (!port.empty() && (port.front() != L':' || !IsPort(port.substr(1))))
            return {};
        return Ipv6Literal(host.substr(0, close + 1));
    }
    if (const std::size_t colon = host.rfind(L':'); colon != kNone) {
        if (!IsPort(host.substr(colon + 1)))
            return {};
        host = host.substr(0, colon);
    }
    if (!host.empty() && IsDot(host.back()))
        host.remove_suffix(1); // the root's dot
    std::string site;
    for (std::size_t start = 0; start <= host.size();) {
        std::size_t end = start;
        while (end < host.size() && !IsDot(host[end]))
            ++end;
        const std::string label = AsciiLabel(host.substr(start, end - start));
        if (label.empty() || label.size() > kLongestLabel)
            return {};
        site += (start ? "." : "") + label;
        start = end + 1;
    }
    if (site.size() > kLongestHost)
        return {};
    // "www.example.com" is example.com, but "www.com" stays what it is. Every
    // leading "www." goes, so that a site read back from its record is the
    // same site again.
    while (site.starts_with("www.") && site.find('.', 4) != std::string::npos)
        site.erase(0, 4);
    return site;
}

bool IsSeparator(wchar_t c) {
    return c == L'/' || c == L'\\' || c == L'?' || c == L'#';
}

std::optional<std::wstring> ReadAscii(std::string_view bytes) {
    if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; }))
        return std::nullopt;
    return std::wstring(bytes.begin(), bytes.end());
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c;
}

// Whether a byte may stand within a host name: the entry's text there goes
// on with the same name.
bool ContinuesName(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool Covers(std::string entry, std::string_view site) {
    std::transform(entry.begin(), entry.end(), entry.begin(), LowerAscii);
    const std::size_t first = entry.find_first_not_of(" \t");
    if (first == std::string::npos || site.empty())
        return false;
    entry = entry.substr(first, entry.find_last_not_of(" \t") + 1 - first);
    if (entry.size() < site.size() && site.ends_with(entry) &&
        (entry.front() == '.' || site[site.size() - entry.size() - 1] == '.'))
        return true;
    for (std::size_t at = entry.find(site); at != std::string::npos;
         at = entry.find(site, at + 1)) {
        const std::size_t end = at + site.size();
        if ((at == 0 || !ContinuesName(entry[at - 1])) &&
            (end == entry.size() || !ContinuesName(entry[end])))
            return true;
    }
    return false;
}

} // namespace

std::string SiteOfAddress(std::string_view address, CodePageReader read) {
    if (address.empty() || address.size() > kLongestAddress ||
        address.find('\0') != std::string_view::npos)
        return {};
    const std::optional<std::wstring> text = read(address);
    if (!text)
        return {};
    std::wstring_view rest = *text;
    // Blanks and control characters around an address are no part of it.
    while (!rest.empty() && rest.front() <= L' ')
        rest.remove_prefix(1);
    while (!rest.empty() && rest.back() <= L' ')
        rest.remove_suffix(1);
    const std::size_t colon = rest.find(L':');
    if (colon == kNone || colon > 5)
        return {};
    std::string scheme;
    for (const wchar_t c : rest.substr(0, colon))
        scheme += LowerAscii(c > 0 && c < 0x80 ? static_cast<char>(c) : '\0');
    if (scheme != "http" && scheme != "https" && scheme != "ftp")
        return {};
    // Browsers take a backslash for a slash in these schemes: what follows
    // one is no longer the host.
    const auto isSlash = [](wchar_t c) { return c == L'/' || c == L'\\'; };
    rest.remove_prefix(colon + 1);
    if (rest.size() < 2 || !isSlash(rest[0]) || !isSlash(rest[1]))
        return {};
    rest.remove_prefix(2);
    std::wstring_view authority =
        rest.substr(0, static_cast<std::size_t>(
                           std::find_if(rest.begin(), rest.end(), IsSeparator) - rest.begin()));
    // User name and password go: the host follows the last "@".
    if (const std::size_t at = authority.rfind(L'@'); at != kNone)
        authority.remove_prefix(at + 1);
    return SiteOfHost(authority);
}

bool IsSite(std::string_view text) {
    return !text.empty() && SiteOfAddress("http://" + std::string(text), ReadAscii) == text;
}

std::optional<std::string> CoveringEntry(const std::vector<std::string>& entries,
                                         std::string_view site) {
    for (const std::string& entry : entries)
        if (Covers(entry, site))
            return entry;
    return std::nullopt;
}

} // namespace stilvane
