// Small text helpers on 8-bit ANSI strings (no locale involved).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stilvane {

// Splits a list of NUL-terminated strings that ends with an empty one, as the
// profile API returns it, reading at most `length` bytes.
std::vector<std::string> SplitNulList(const char* list, std::size_t length);

// The lines of a text: it is split at CR LF and at every other byte listed in
// `breaks` (CR, LF, ...). A break at the very end adds no empty line; empty
// text has none.
std::vector<std::string> SplitLines(std::string_view text, std::string_view breaks = "\r\n");

// Compares letters A-Z and a-z without regard to case; other bytes as they are.
bool SameTextAscii(std::string_view a, std::string_view b);

// The value of hexadecimal digits of either case; nullopt when there are
// none, one is no digit, or the value needs more than 32 bits (leading zeros
// do not count).
std::optional<std::uint32_t> ParseHex32(std::string_view digits);

// Decimal digits of `value`, with leading zeros up to `width` digits: the
// fields of dates and times, without the printf machinery.
std::string ZeroPadded(int value, int width);

// Whether a byte starts a character of two bytes in the ANSI code page in
// use (Japanese, Chinese, Korean); null for a code page of single bytes.
using LeadByteTest = bool (*)(unsigned char byte);

// How many bytes of `text`, at most `limit`, make whole characters: a text
// is never cut between the two bytes of one.
std::size_t WholeCharacters(std::string_view text, std::size_t limit, LeadByteTest isLead);

// How many characters `text` holds, a character of two bytes counting once.
std::size_t CountCharacters(std::string_view text, LeadByteTest isLead);

// Where the character `c` stands in `text` as a character of its own, not as
// the second byte of another; npos when it does not.
std::size_t FindCharacter(std::string_view text, char c, LeadByteTest isLead);

// A language text with "%1" and "%2" filled in. (Neither "%" nor a digit
// is ever the second byte of a character.)
std::string FillIn(const std::string& pattern, const std::string& first,
                   const std::string& second = {});

// Replaces every occurrence of `from` in `text`.
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to);

} // namespace stilvane
