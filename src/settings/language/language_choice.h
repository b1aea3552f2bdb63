// Choice of the language whose texts are shown, from the sections of
// popup.ini and the optional redirection in DIALECTS.INI.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace stilvane {

using LanguageId = std::uint16_t;

constexpr LanguageId kFallbackLanguage = 1033;

// The system language when popup.ini has a section named by its decimal id
// (letter case ignored) and the id is above 0; otherwise the fallback. Whether
// the fallback has a section is not checked.
LanguageId LanguageFromSections(LanguageId systemId, const std::vector<std::string>& sections);

// Applies a DIALECTS.INI value found for `chosen`: empty text keeps it; a
// number above 0 that is a language id (at most 65535) replaces it; other
// numbers keep it. Text that is no integer raises EConvertError.
LanguageId ApplyDialect(LanguageId chosen, const std::string& dialectValue);

} // namespace stilvane
