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
        "Save the changes to the exception list?",
        "Merged with changes made outside the editor",
        "%1 entries contain characters that cannot be stored for the blocker; they would be "
        "saved as '?'. Save anyway?",
        "Exceptions",
        "New exception",
        "Web address or part of one",
        "&Remove",
        "Select &all",
        "&Copy",
        "&Paste",
        "&Import from file\x85",
        "E&xport to file\x85",
        "%1 added, %2 already listed",
        "Text files (*.txt;*.ini)",
        "All files (*.*)",
        "&Pause blocking",
        "For &5 minutes",
        "For &15 minutes",
        "For 1 &hour",
        "Until next &sign-in",
        "Paused until %1",
        "Paused until next sign-in",
        "%1 popups blocked today, %2 in all",
    };
    return texts;
}

const std::array<LanguageKey, 30>& LanguageKeys() {
    static const std::array<LanguageKey, 30> keys{{
        {"Active", &LanguageTexts::active},
        {"Exceptions", &LanguageTexts::exceptions},
        {"Sound", &LanguageTexts::sound},
        {"Quit", &LanguageTexts::quit},
        {"Button_Delete", &LanguageTexts::buttonDelete},
        {"Button_Add", &LanguageTexts::buttonAdd},
        {"Label1", &LanguageTexts::label1},
        {"Ask_SaveChanges", &LanguageTexts::askSaveChanges},
        {"Note_Merged", &LanguageTexts::noteMerged},
        {"Ask_Unstorable", &LanguageTexts::askUnstorable},
        {"Label_Exceptions", &LanguageTexts::labelExceptions},
        {"Label_NewException", &LanguageTexts::labelNewException},
        {"Cue_NewException", &LanguageTexts::cueNewException},
        {"List_Remove", &LanguageTexts::listRemove},
        {"List_SelectAll", &LanguageTexts::listSelectAll},
        {"List_Copy", &LanguageTexts::listCopy},
        {"List_Paste", &LanguageTexts::listPaste},
        {"List_Import", &LanguageTexts::listImport},
        {"List_Export", &LanguageTexts::listExport},
        {"Note_Added", &LanguageTexts::noteAdded},
        {"Filter_Text", &LanguageTexts::filterText},
        {"Filter_All", &LanguageTexts::filterAll},
        {"Pause", &LanguageTexts::pause},
        {"Pause5", &LanguageTexts::pause5},
        {"Pause15", &LanguageTexts::pause15},
        {"Pause60", &LanguageTexts::pause60},
        {"PauseSignIn", &LanguageTexts::pauseSignIn},
        {"PausedUntil", &LanguageTexts::pausedUntil},
        {"PausedSignIn", &LanguageTexts::pausedSignIn},
        {"BlockedCount", &LanguageTexts::blockedCount},
    }};
    return keys;
}

std::string LabelTextFromIni(const std::string& text) {
    return ReplaceAll(text, "\xB0", "\r\n");
}

} // namespace stilvane
