// Recognises the byte-order marks that text editors put at the start of a
// file saved as Unicode, and UTF-16 text saved without one. Other text is
// taken as ANSI bytes.
#pragma once

#include <string>
#include <string_view>

namespace stilvane {

enum class TextEncoding { Ansi, Utf8, Utf16LittleEndian, Utf16BigEndian };

struct MarkedText {
    TextEncoding encoding;
    std::string_view body; // the bytes after the mark
    bool unmarked = false; // UTF-16 recognised without a mark
};

MarkedText SplitByteOrderMark(std::string_view bytes);

// The encoding by the mark; without one, UTF-16 where the bytes read as
// nothing else: an even number of them, NUL bytes in one half of at least
// every other code unit and none in the other half (no NUL character). An
// ANSI file holds no NUL bytes, while UTF-16 text of Latin letters, digits
// and punctuation holds one in every code unit.
MarkedText RecogniseEncoding(std::string_view bytes);

// Whether reading a file's text had to guess: UTF-16 without a mark, or NUL
// bytes in ANSI text, which are read as line breaks. Writing such a text back
// changes more than its lines.
bool ReadByGuess(std::string_view fileBytes);

// The UTF-16 code units of a body in either byte order. An odd last byte
// cannot be part of any character and is dropped.
std::u16string Utf16CodeUnits(std::string_view body, TextEncoding encoding);

// Whether a file's bytes read as text (UTF-16 without a mark included): no
// NUL character, and control
// characters (other than tab and the line breaks) no more than one in
// twenty. A program, a picture or an archive fails this.
bool LooksLikeText(std::string_view fileBytes);

} // namespace stilvane
