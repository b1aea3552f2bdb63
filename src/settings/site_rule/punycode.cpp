#include "settings/site_rule/punycode.h"

#include <cstdint>
#include <limits>

namespace stilvane {

namespace {

// The parameters RFC 3492 fixes for IDNA.
constexpr std::uint32_t kBase = 36, kTMin = 1, kTMax = 26, kSkew = 38, kDamp = 700;
constexpr std::uint32_t kInitialBias = 72, kInitialN = 0x80;

char Digit(std::uint32_t d) {
    return static_cast<char>(d < 26 ? 'a' + d : '0' + (d - 26));
}

std::uint32_t Adapt(std::uint32_t delta, std::uint32_t points, bool first) {
    delta = first ? delta / kDamp : delta / 2;
    delta += delta / points;
    std::uint32_t k = 0;
    while (delta > ((kBase - kTMin) * kTMax) / 2) {
        delta /= kBase - kTMin;
        k += kBase;
    }
    return k + (kBase - kTMin + 1) * delta / (delta + kSkew);
}

// The value of a Punycode digit; kBase for a character that is none.
std::uint32_t DigitValue(char c) {
    if (c >= 'a' && c <= 'z')
        return static_cast<std::uint32_t>(c - 'a');
    if (c >= 'A' && c <= 'Z')
        return static_cast<std::uint32_t>(c - 'A');
    if (c >= '0' && c <= '9')
        return static_cast<std::uint32_t>(c - '0' + 26);
    return kBase;
}

} // namespace

std::optional<std::u32string> PunycodeDecoded(std::string_view code) {
    constexpr std::uint32_t kLargest = 0x10FFFF;
    std::u32string out;
    const std::size_t dash = code.rfind('-');
    if (dash != std::string_view::npos) {
        for (const char c : code.substr(0, dash)) {
            if (static_cast<unsigned char>(c) >= kInitialN)
                return std::nullopt;
            out += static_cast<char32_t>(c);
        }
        code.remove_prefix(dash + 1);
    }
    std::uint32_t n = kInitialN, i = 0, bias = kInitialBias;
    for (std::size_t at = 0; at < code.size();) {
        const std::uint32_t before = i;
        std::uint32_t weight = 1;
        for (std::uint32_t k = kBase;; k += kBase) {
            if (at == code.size())
                return std::nullopt;
            const std::uint32_t digit = DigitValue(code[at++]);
            // Past the largest code point at any length: no valid label.
            if (digit >= kBase || digit > (kLargest * 64 - i) / weight)
                return std::nullopt;
            i += digit * weight;
            const std::uint32_t t = k <= bias ? kTMin : k >= bias + kTMax ? kTMax : k - bias;
            if (digit < t)
                break;
            if (weight > kLargest * 64 / (kBase - t))
                return std::nullopt;
            weight *= kBase - t;
        }
        const auto length = static_cast<std::uint32_t>(out.size() + 1);
        bias = Adapt(i - before, length, before == 0);
        if (i / length > kLargest - n)
            return std::nullopt;
        n += i / length;
        i %= length;
        if (n > kLargest || (n >= 0xD800 && n <= 0xDFFF))
            return std::nullopt;
        out.insert(out.begin() + i, static_cast<char32_t>(n));
        ++i;
    }
    return out;
}

std::optional<std::string> PunycodeOf(std::u32string_view label) {
    constexpr std::uint32_t kMax = std::numeric_limits<std::uint32_t>::max();
    if (label.size() >= kMax / 2)
        return std::nullopt;
    std::string out;
    for (const char32_t c : label)
        if (static_cast<std::uint32_t>(c) < kInitialN)
            out += static_cast<char>(c);
    const auto basic = static_cast<std::uint32_t>(out.size());
    if (basic > 0)
        out += '-';
    std::uint32_t n = kInitialN, delta = 0, bias = kInitialBias;
    for (std::uint32_t handled = basic; handled < label.size();) {
        std::uint32_t next = kMax;
        for (const char32_t c : label)
            if (static_cast<std::uint32_t>(c) >= n && static_cast<std::uint32_t>(c) < next)
                next = static_cast<std::uint32_t>(c);
        // The RFC's overflow checks: a label of a sane length never needs them.
        if (next - n > (kMax - delta) / (handled + 1))
            return std::nullopt;
        delta += (next - n) * (handled + 1);
        n = next;
        for (const char32_t w : label) {
            const auto c = static_cast<std::uint32_t>(w);
            if (c < n && ++delta == 0)
                return std::nullopt;
            if (c != n)
                continue;
            std::uint32_t q = delta;
            for (std::uint32_t k = kBase;; k += kBase) {
                const std::uint32_t t = k <= bias ? kTMin : k >= bias + kTMax ? kTMax : k - bias;
                if (q < t)
                    break;
                out += Digit(t + (q - t) % (kBase - t));
                q = (q - t) / (kBase - t);
            }
            out += Digit(q);
            bias = Adapt(delta, handled + 1, handled == basic);
            delta = 0;
            ++handled;
        }
        ++delta;
        ++n;
    }
    return out;
}

} // namespace stilvane
