// The text of popup-exp.ini: one exception per line, lines ended by CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace stilvane {

constexpr char kExceptionsFileName[] = "popup-exp.ini";
// Besides CR LF: a NUL byte ends an entry as a line break would.
constexpr std::string_view kExceptionLineBreaks("\r\n\0", 3);

// Whether a line is blank (empty, or only spaces and tabs): no entry, as it
// matches no address and the list could not show it.
bool IsBlankLine(std::string_view line);

// Every line that is not blank, exactly as written: lines may end in CR LF,
// CR or LF, and a last line without an ending counts. A NUL byte ends an
// entry as a line break would, so nothing after it is lost.
std::vector<std::string> ParseExceptions(std::string_view content);

// Each entry followed by CR LF; no entries give an empty file.
std::string FormatExceptions(const std::vector<std::string>& entries);

} // namespace stilvane
