// Text files as the program handles them: bytes in the system's ANSI code
// page. A file saved as Unicode (with its byte-order mark) is converted.
#pragma once

#include <string>
#include <string_view>

namespace stilvane {

enum class Unmappable {
    Replace, // by the code page's default character ("?") or a look-alike
    Refuse,  // the whole text converts to empty text
};

// Wide text in the ANSI code page. Paths want Refuse: a look-alike
// character would name another file.
std::string WideToAnsi(std::wstring_view text, Unmappable unmappable = Unmappable::Replace);

// The file's text in the ANSI code page, without a byte-order mark. Bytes
// without a mark are returned as they are; characters the code page cannot
// hold become its default character ("?").
std::string FileTextToAnsi(std::string_view fileBytes);

} // namespace stilvane
