// Recognises the byte-order marks that text editors put at the start of a
// file saved as Unicode. Text without one is taken as ANSI bytes.
#pragma once

#include <string>
#include <string_view>

namespace stilvane {

enum class TextEncoding { Ansi, Utf8, Utf16LittleEndian, Utf16BigEndian };

struct MarkedText {
    TextEncoding encoding;
    std::string_view body; // the bytes after the mark
};

MarkedText SplitByteOrderMark(std::string_view bytes);

// The UTF-16 code units of a body in either byte order. An odd last byte
// cannot be part of any character and is dropped.
std::u16string Utf16CodeUnits(std::string_view body, TextEncoding encoding);

// Whether a file's bytes read as text: no NUL character, and control
// characters (other than tab and the line breaks) no more than one in
// twenty. A program, a picture or an archive fails this.
bool LooksLikeText(std::string_view fileBytes);

} // namespace stilvane
