#include "settings/site_rule/ip_address.h"

#include <array>
#include <cstdint>
#include <vector>

namespace stilvane {

namespace {

// Larger than any address: the parts' bounds fail it.
constexpr std::uint64_t kTooLarge = std::uint64_t{1} << 40;

std::vector<std::string_view> Parts(std::string_view host) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t dot = host.find('.', start);
        parts.push_back(host.substr(start, dot - start));
        if (dot == std::string_view::npos)
            return parts;
        start = dot + 1;
    }
}

int DigitValue(char32_t c) {
    if (c >= '0' && c <= '9')
        return static_cast<int>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<int>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return static_cast<int>(c - 'A' + 10);
    return 99;
}

std::optional<std::uint64_t> Number(std::string_view part) {
    if (part.empty())
        return std::nullopt;
    int radix = 10;
    if (part.size() >= 2 && part[0] == '0' && (part[1] == 'x' || part[1] == 'X')) {
        part.remove_prefix(2);
        radix = 16;
    } else if (part.size() >= 2 && part[0] == '0') {
        part.remove_prefix(1);
        radix = 8;
    }
    std::uint64_t value = 0;
    for (const char c : part) {
        const int digit = DigitValue(static_cast<unsigned char>(c));
        if (digit >= radix)
            return std::nullopt;
        value = std::min(value * static_cast<std::uint64_t>(radix) + static_cast<unsigned>(digit),
                         kTooLarge);
    }
    return value;
}

} // namespace

bool EndsInNumber(std::string_view host) {
    std::vector<std::string_view> parts = Parts(host);
    if (parts.back().empty()) {
        if (parts.size() == 1)
            return false;
        parts.pop_back();
    }
    const std::string_view last = parts.back();
    if (!last.empty() && last.find_first_not_of("0123456789") == std::string_view::npos)
        return true;
    return Number(last).has_value();
}

std::optional<std::string> Ipv4Address(std::string_view host) {
    std::vector<std::string_view> parts = Parts(host);
    if (parts.back().empty() && parts.size() > 1)
        parts.pop_back();
    if (parts.size() > 4)
        return std::nullopt;
    std::uint64_t address = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::optional<std::uint64_t> number = Number(parts[i]);
        if (!number)
            return std::nullopt;
        const bool last = i + 1 == parts.size();
        // The last number fills the places the others leave.
        const std::uint64_t bound = last ? std::uint64_t{1} << (8 * (5 - parts.size())) : 256;
        if (*number >= bound)
            return std::nullopt;
        address += last ? *number : *number << (8 * (3 - i));
    }
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
        (text += std::to_string((address >> shift) & 0xFF)) += shift ? "." : "";
    return text;
}

std::optional<std::string> Ipv6Address(std::u32string_view text) {
    std::array<std::uint16_t, 8> pieces{};
    std::size_t piece = 0, at = 0;
    std::optional<std::size_t> compress;
    const auto c = [&](std::size_t i = 0) { return at + i < text.size() ? text[at + i] : U'\0'; };
    if (c() == ':') {
        if (c(1) != ':')
            return std::nullopt;
        at += 2;
        compress = ++piece;
    }
    while (at < text.size()) {
        if (piece == 8)
            return std::nullopt;
        if (c() == ':') {
            if (compress)
                return std::nullopt;
            ++at;
            compress = ++piece;
            continue;
        }
        unsigned value = 0, length = 0;
        while (length < 4 && DigitValue(c()) < 16) {
            value = value * 16 + static_cast<unsigned>(DigitValue(c()));
            ++at;
            ++length;
        }
        if (c() == '.') {
            // An IPv4 address in the last two pieces.
            if (length == 0 || piece > 6)
                return std::nullopt;
            at -= length;
            int numbers = 0;
            while (at < text.size()) {
                if (numbers > 0) {
                    if (c() != '.' || numbers >= 4)
                        return std::nullopt;
                    ++at;
                }
                if (!(c() >= '0' && c() <= '9'))
                    return std::nullopt;
                std::optional<unsigned> number;
                while (c() >= '0' && c() <= '9') {
                    const auto digit = static_cast<unsigned>(c() - '0');
                    if (number == 0u)
                        return std::nullopt;
                    number = number.value_or(0) * 10 + digit;
                    if (*number > 255)
                        return std::nullopt;
                    ++at;
                }
                pieces[piece] = static_cast<std::uint16_t>(pieces[piece] * 0x100 + *number);
                if (++numbers % 2 == 0)
                    ++piece;
            }
            if (numbers != 4)
                return std::nullopt;
            break;
        }
        if (c() == ':') {
            if (++at == text.size())
                return std::nullopt;
        } else if (at < text.size()) {
            return std::nullopt;
        }
        pieces[piece++] = static_cast<std::uint16_t>(value);
    }
    if (compress) {
        for (std::size_t swaps = piece - *compress, last = 7; last != 0 && swaps > 0;
             --last, --swaps)
            std::swap(pieces[last], pieces[*compress + swaps - 1]);
    } else if (piece != 8) {
        return std::nullopt;
    }
    // The first longest run of at least two zero pieces.
    std::size_t runAt = 8, runLength = 1;
    for (std::size_t i = 0; i < 8;) {
        std::size_t end = i;
        while (end < 8 && pieces[end] == 0)
            ++end;
        if (end - i > runLength)
            runAt = i, runLength = end - i;
        i = end == i ? i + 1 : end;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < 8; ++i) {
        if (i == runAt) {
            out += i == 0 ? "::" : ":";
            i += runLength - 1;
            continue;
        }
        std::string hex;
        for (unsigned v = pieces[i]; hex.empty() || v; v /= 16)
            hex.insert(hex.begin(), kHex[v % 16]);
        out += hex;
        if (i != 7)
            out += ':';
    }
    return out;
}

} // namespace stilvane
