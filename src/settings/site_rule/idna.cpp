#include "settings/site_rule/idna.h"

#include "framework/portable/inflate.h"
#include "settings/site_rule/host_tables.h"
#include "settings/site_rule/punycode.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace stilvane {

namespace {

enum class IdnaKind : std::uint8_t { Valid, Mapped, Disallowed };

struct IdnaRange {
    char32_t start;
    std::uint32_t mappingAt; // in IdnaTable::mappings
    std::uint16_t length;
    IdnaKind kind;
};

struct IdnaTable {
    std::vector<IdnaRange> ranges; // by start; the first starts at U+0000
    std::u32string mappings;
};

class Reader {
public:
    explicit Reader(std::string_view data) : data_(data) {}
    bool AtEnd() const { return at_ >= data_.size(); }
    // A number of up to four 7-bit groups, low first; nullopt past the end.
    std::optional<std::uint32_t> Number() {
        std::uint32_t value = 0;
        for (int shift = 0; shift < 28 && at_ < data_.size(); shift += 7) {
            const auto byte = static_cast<unsigned char>(data_[at_++]);
            value |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
            if (!(byte & 0x80))
                return value;
        }
        return std::nullopt;
    }

private:
    std::string_view data_;
    std::size_t at_ = 0;
};

IdnaTable Unpacked() {
    const std::optional<std::string> data =
        Inflate(kIdnaMappingTable.packed, kIdnaMappingTable.size);
    IdnaTable table;
    const std::string bytes = data.value_or(std::string());
    Reader reader(bytes);
    char32_t start = 0;
    while (!reader.AtEnd()) {
        const auto delta = reader.Number(), kind = reader.Number();
        if (!delta || !kind || *kind > 2)
            break;
        start += *delta;
        IdnaRange range{start, static_cast<std::uint32_t>(table.mappings.size()), 0,
                        static_cast<IdnaKind>(*kind)};
        if (range.kind == IdnaKind::Mapped) {
            const auto length = reader.Number();
            for (std::uint32_t i = 0; length && i < *length; ++i)
                if (const auto c = reader.Number())
                    table.mappings += static_cast<char32_t>(*c);
            range.length = static_cast<std::uint16_t>(table.mappings.size() - range.mappingAt);
        }
        table.ranges.push_back(range);
    }
    // Damaged data (which the build never makes) leaves every code point
    // disallowed: no international name, rather than a wrong one.
    if (table.ranges.empty() || table.ranges.front().start != 0)
        table.ranges = {{0, 0, 0, IdnaKind::Disallowed}};
    return table;
}

const IdnaTable& Table() {
    static const IdnaTable table = Unpacked();
    return table;
}

const IdnaRange& RangeOf(char32_t c) {
    const std::vector<IdnaRange>& ranges = Table().ranges;
    const auto after = std::upper_bound(ranges.begin(), ranges.end(), c,
                                        [](char32_t c, const IdnaRange& r) { return c < r.start; });
    return *(after - 1);
}

bool IsJoiner(char32_t c) {
    return c == 0x200C || c == 0x200D;
}

// Whether a decoded label's code points stand as they are: each one valid,
// none of them a joiner (which a label keeps only after a virama).
bool IsValidLabel(std::u32string_view label) {
    return std::all_of(label.begin(), label.end(), [](char32_t c) {
        return c <= 0x10FFFF && !IsJoiner(c) && RangeOf(c).kind == IdnaKind::Valid;
    });
}

bool IsAscii(std::u32string_view text) {
    return std::all_of(text.begin(), text.end(), [](char32_t c) { return c < 0x80; });
}

std::optional<std::string> AsciiLabel(std::u32string_view label) {
    if (IsAscii(label) && !label.starts_with(U"xn--"))
        return std::string(label.begin(), label.end());
    if (!label.starts_with(U"xn--")) {
        if (!IsValidLabel(label))
            return std::nullopt;
        const std::optional<std::string> code = PunycodeOf(label);
        return code ? std::optional("xn--" + *code) : std::nullopt;
    }
    if (!IsAscii(label))
        return std::nullopt;
    const std::string ascii(label.begin(), label.end());
    const std::optional<std::u32string> decoded = PunycodeDecoded(ascii.substr(4));
    if (!decoded || decoded->empty() || IsAscii(*decoded) || !IsValidLabel(*decoded))
        return std::nullopt;
    return ascii;
}

} // namespace

std::optional<std::string> DomainToAscii(std::u32string_view domain) {
    const IdnaTable& table = Table();
    std::u32string mapped;
    for (const char32_t c : domain) {
        if (c > 0x10FFFF || IsJoiner(c))
            return std::nullopt;
        const IdnaRange& range = RangeOf(c);
        if (range.kind == IdnaKind::Disallowed)
            return std::nullopt;
        if (range.kind == IdnaKind::Valid)
            mapped += c;
        else
            mapped.append(table.mappings, range.mappingAt, range.length);
    }
    std::string ascii;
    for (std::size_t start = 0; start <= mapped.size();) {
        const std::size_t end = std::min(mapped.find(U'.', start), mapped.size());
        const std::optional<std::string> label =
            AsciiLabel(std::u32string_view(mapped).substr(start, end - start));
        if (!label)
            return std::nullopt;
        (ascii += start ? "." : "") += *label;
        start = end + 1;
    }
    if (ascii.empty())
        return std::nullopt;
    return ascii;
}

} // namespace stilvane
