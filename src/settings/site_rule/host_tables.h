// The tables the site rule reads, generated at build time from Debian's
// packages by tools/host_tables.py and packed as raw deflate data.
// Platform-free.
#pragma once

#include <cstddef>
#include <string_view>

namespace stilvane {

struct PackedTable {
    std::string_view packed;
    std::size_t size; // unpacked
};

// UTS #46's IDNA mapping, as ranges of code points (tools/host_tables.py).
extern const PackedTable kIdnaMappingTable;
// The public suffix list's rules, labels reversed, each line after the first
// as the length it shares with the line before and the rest.
extern const PackedTable kPublicSuffixTable;

} // namespace stilvane
