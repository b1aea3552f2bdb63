// Text files as the program handles them: bytes in the system's ANSI code
// page. A file saved as Unicode (with its byte-order mark, or UTF-16 without
// one) is converted.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace stilvane {

enum class Unmappable {
    Replace, // by the code page's default character ("?") or a look-alike
    Refuse,  // the whole text converts to empty text
};

// Wide text in the ANSI code page. Paths want Refuse: a look-alike
// character would name another file.
std::string WideToAnsi(std::wstring_view text, Unmappable unmappable = Unmappable::Replace);

// ANSI text as wide text, for the Unicode calls and windows.
std::wstring AnsiToWide(std::string_view text);

// Whether `byte` starts a character of two bytes in the ANSI code page.
bool IsLeadByte(unsigned char byte);

struct AnsiLine {
    std::string text;
    bool lossy; // characters the code page cannot hold became "?"
    // The line as it was, when lossy: two lines that became the same text
    // may still be different addresses.
    std::wstring original = {};
};

// The lines of a file's text in the ANSI code page, without a byte-order
// mark (its encoding as RecogniseEncoding finds it), split as SplitLines splits them (at CR LF and
// at every byte of `breaks`). Bytes without a mark are taken as they are; in Unicode text every
// character the code page cannot hold becomes its default character
// ("?"), never a look-alike, and its line is marked as lossy.
std::vector<AnsiLine> FileLinesToAnsi(std::string_view fileBytes, std::string_view breaks);

// One line of wide text (a field's) in the ANSI code page, by the same rule.
AnsiLine LineToAnsi(std::wstring_view line);

// The same for wide text, such as the clipboard's.
std::vector<AnsiLine> TextLinesToAnsi(std::wstring_view text, std::string_view breaks);

} // namespace stilvane
