#include "framework/portable/text.h"

#include <algorithm>
#include <cstring>

namespace stilvane {

std::vector<std::string> SplitNulList(const char* list, std::size_t length) {
    std::vector<std::string> items;
    std::size_t pos = 0;
    while (pos < length && list[pos] != '\0') {
        const char* start = list + pos;
        const char* end = std::find(start, list + length, '\0');
        items.emplace_back(start, end);
        pos = static_cast<std::size_t>(end - list) + 1;
    }
    return items;
}

namespace {
char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
} // namespace

bool SameTextAscii(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

std::vector<std::string> SplitLines(std::string_view text, std::string_view breaks) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of(breaks, start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

std::optional<std::uint32_t> ParseHex32(std::string_view digits) {
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = (value << 4) | static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::string ZeroPadded(int value, int width) {
    const std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
    const std::size_t pad = width > 0 && digits.size() < static_cast<std::size_t>(width)
                                ? static_cast<std::size_t>(width) - digits.size()
                                : 0;
    return (value < 0 ? "-" : "") + std::string(pad, '0') + digits;
}

namespace {

std::size_t CharacterLength(std::string_view text, std::size_t at, LeadByteTest isLead) {
    return isLead && isLead(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

} // namespace

std::size_t WholeCharacters(std::string_view text, std::size_t limit, LeadByteTest isLead) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t next = at + CharacterLength(text, at, isLead);
        if (next > limit)
            break;
        at = next;
    }
    return at;
}

std::size_t CountCharacters(std::string_view text, LeadByteTest isLead) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at, isLead))
        ++count;
    return count;
}

std::size_t FindCharacter(std::string_view text, char c, LeadByteTest isLead) {
    for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at, isLead))
        if (text[at] == c)
            return at;
    return std::string_view::npos;
}

std::string FillIn(const std::string& pattern, const std::string& first,
                   const std::string& second) {
    // One pass, so that a filled-in text is never searched again.
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            text += pattern[i + 1] == '1' ? first : second;
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    if (from.empty())
        return text;
    for (std::size_t pos = text.find(from); pos != std::string::npos;
         pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}

} // namespace stilvane
