// What a registry value holds as a number, told once for every reader of
// counts, switches and flags. Each reader keeps its own meaning (a switch
// takes only a four-byte REG_DWORD, a count takes what any hand may have
// stored); the bytes are read here alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace stilvane {

// The system's numbers for the kinds of value that can hold a number.
namespace reg_kind {
constexpr std::uint32_t kString = 1;
constexpr std::uint32_t kExpandString = 2;
constexpr std::uint32_t kBinary = 3;
constexpr std::uint32_t kDword = 4;
constexpr std::uint32_t kQword = 11;
} // namespace reg_kind

struct RegNumber {
    std::uint32_t kind = 0;
    std::size_t size = 0; // bytes stored, also when fewer were read
    // REG_DWORD, REG_QWORD and REG_BINARY of at most eight stored bytes: the
    // bytes little-endian, fewer bytes standing for the low ones.
    std::optional<std::uint64_t> bits;
    // REG_SZ and REG_EXPAND_SZ: the text up to its first NUL, and whether
    // that NUL was the last byte (the string stored whole, once).
    std::optional<std::string> text;
    bool textEnded = false;

    // A REG_DWORD of exactly four bytes: the one form a switch or flag takes.
    std::optional<std::uint32_t> Dword() const;
    // A binary kind of at most four bytes.
    std::optional<std::uint32_t> Narrow() const;
    // A count as stored by any hand: a binary kind of up to eight bytes, or
    // decimal digits in a string stored whole, each held to the largest
    // 32-bit number; 0 for anything else.
    std::uint32_t Count() const;
};

// `data` is what was read of a value of `stored` bytes; a value read only in
// part (data shorter than stored) has no bits and no text.
RegNumber ReadRegNumber(std::uint32_t kind, std::size_t stored,
                        std::span<const unsigned char> data);

} // namespace stilvane
