// The language choice over any list of popup.ini sections and any
// DIALECTS.INI value: the result is the system language, the fallback or a
// number the value names, and a bad value raises only the conversion error.
#include "framework/portable/errors.h"
#include "settings/language/language_choice.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace stilvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const auto systemId = static_cast<LanguageId>(data[0] | data[1] << 8);
    // Sections separated by NUL; after a 0x01 byte, the dialect value.
    std::vector<std::string> sections(1);
    std::string dialect;
    bool inDialect = false;
    for (std::size_t i = 2; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (inDialect)
            dialect += c;
        else if (c == '\x01')
            inDialect = true;
        else if (c == '\0')
            sections.emplace_back();
        else
            sections.back() += c;
    }
    const LanguageId chosen = LanguageFromSections(systemId, sections);
    if (chosen != systemId && chosen != kFallbackLanguage)
        std::abort();
    try {
        const LanguageId redirected = ApplyDialect(chosen, dialect);
        if (redirected == 0)
            std::abort();
    } catch (const EConvertError&) {
    }
    return 0;
}
