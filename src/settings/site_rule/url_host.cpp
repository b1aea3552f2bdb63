#include "settings/site_rule/url_host.h"

#include "settings/site_rule/idna.h"
#include "settings/site_rule/ip_address.h"

#include <algorithm>

namespace stilvane {

namespace {

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    const int extra = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLead[extra] | (c >> (6 * extra)));
    for (int i = extra - 1; i >= 0; --i)
        out += static_cast<char>(0x80 | ((c >> (6 * i)) & 0x3F));
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The bytes with each "%" and two hex digits as the byte they stand for.
std::string PercentDecoded(std::string_view bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '%' && i + 2 < bytes.size() && HexValue(bytes[i + 1]) >= 0 &&
            HexValue(bytes[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(bytes[i + 1]) * 16 + HexValue(bytes[i + 2]));
            i += 2;
        } else {
            out += bytes[i];
        }
    }
    return out;
}

// The code points the URL standard forbids in a domain, in their ASCII
// form: C0 controls, space and the delimiters of the address's parts.
bool IsForbiddenInDomain(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= 0x20 || u == 0x7F ||
           std::string_view("#%/:<>?@[\\]^|").find(c) != std::string_view::npos;
}

} // namespace

std::u32string Utf8Decoded(std::string_view bytes) {
    std::u32string out;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int extra = lead < 0x80                    ? 0
                          : lead >= 0xC2 && lead <= 0xDF ? 1
                          : lead >= 0xE0 && lead <= 0xEF ? 2
                          : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                         : -1;
        if (extra < 0) {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        char32_t c = extra ? lead & (0x3F >> extra) : lead;
        int taken = 0;
        for (; taken < extra && i + 1 + taken < bytes.size(); ++taken) {
            const auto next = static_cast<unsigned char>(bytes[i + 1 + taken]);
            // The second byte's range keeps out overlong forms, surrogates
            // and code points past U+10FFFF.
            const unsigned low = taken ? 0x80 : lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
            const unsigned high = taken ? 0xBF : lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
            if (next < low || next > high)
                break;
            c = c << 6 | (next & 0x3F);
        }
        if (taken < extra) {
            out += U'\uFFFD';
            i += static_cast<std::size_t>(taken) + 1;
            continue;
        }
        out += c;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::optional<std::string> ParsedHost(std::u32string_view text) {
    if (!text.empty() && text.front() == U'[') {
        if (text.size() < 2 || text.back() != U']')
            return std::nullopt;
        const std::optional<std::string> address = Ipv6Address(text.substr(1, text.size() - 2));
        return address ? std::optional("[" + *address + "]") : std::nullopt;
    }
    std::string bytes;
    for (const char32_t c : text)
        AppendUtf8(c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) ? U'\uFFFD' : c, bytes);
    const std::optional<std::string> domain = DomainToAscii(Utf8Decoded(PercentDecoded(bytes)));
    if (!domain || std::any_of(domain->begin(), domain->end(), IsForbiddenInDomain))
        return std::nullopt;
    return EndsInNumber(*domain) ? Ipv4Address(*domain) : domain;
}

} // namespace stilvane
