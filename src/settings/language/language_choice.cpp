#include "settings/language/language_choice.h"

#include "framework/portable/int_text.h"
#include "framework/portable/text.h"

#include <algorithm>

namespace stilvane {

LanguageId LanguageFromSections(LanguageId systemId, const std::vector<std::string>& sections) {
    const std::string systemSection = std::to_string(systemId);
    const bool listed = std::any_of(sections.begin(), sections.end(), [&](const std::string& s) {
        return SameTextAscii(s, systemSection);
    });
    return (listed && systemId > 0) ? systemId : kFallbackLanguage;
}

LanguageId ApplyDialect(LanguageId chosen, const std::string& dialectValue) {
    if (dialectValue.empty())
        return chosen;
    const std::int32_t redirected = StrToInt(dialectValue);
    // Numbers past 16 bits name no language; keep the choice rather than
    // cutting them to some unrelated id.
    if (redirected > 0 && redirected <= 0xFFFF)
        return static_cast<LanguageId>(redirected);
    return chosen;
}

} // namespace stilvane
