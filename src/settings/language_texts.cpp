#include "settings/language_texts.h"

#include "framework/text.h"

namespace stilvane {

// Windows-1252: "\xF6" is o-umlaut, "\xFC" u-umlaut.
const LanguageTexts& BuiltInTexts() {
    static const LanguageTexts texts{
        "&Popups blockieren",
        "&Ausnahmen bearbeiten",
        "&Sound abspielen beim Blockieren",
        "&Beenden",
        "&Entfernen",
        "&Hinzuf\xFCgen",
        "Normalerweise blockiert der Popup Blocker jedes PopUp.\r\n"
        "Sie k\xF6nnen aber auch PopUps von bestimmten URLs zulassen.\r\n"
        "Dies ist manchmal notwendig, um z.b. AGBs zu akzeptieren vor einem Download.\r\n"
        "Hier k\xF6nnen sie diese Ausnahmen festlegen.",
    };
    return texts;
}

const std::array<LanguageKey, 7>& LanguageKeys() {
    static const std::array<LanguageKey, 7> keys{{
        {"Active", &LanguageTexts::active},
        {"Exceptions", &LanguageTexts::exceptions},
        {"Sound", &LanguageTexts::sound},
        {"Quit", &LanguageTexts::quit},
        {"Button_Delete", &LanguageTexts::buttonDelete},
        {"Button_Add", &LanguageTexts::buttonAdd},
        {"Label1", &LanguageTexts::label1},
    }};
    return keys;
}

std::string LabelTextFromIni(const std::string& text) {
    return ReplaceAll(text, "\xB0", "\r\n");
}

} // namespace stilvane
