// Which form of a counted text a language uses for a number: "1 popup",
// "2 popups"; Slavic languages have a third form for 2 to 4 ("2 popupy",
// "5 popupów"). Texts hold the forms as keys of popup.ini: the plain key for
// most numbers, the key with "_1" for the singular and with "_Few" for the
// Slavic "few" form. A form a section lacks falls back to the plain key.
#pragma once

#include "settings/language/language_choice.h"

#include <cstdint>

namespace stilvane {

enum class PluralForm { Other, One, Few };

PluralForm PluralFormOf(LanguageId language, std::uint64_t n);

// The key suffix of a form: "", "_1" or "_Few".
const char* PluralKeySuffix(PluralForm form);

} // namespace stilvane
