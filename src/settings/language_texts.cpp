#include "settings/language_texts.h"

#include "framework/text.h"
#include "settings/plural_forms.h"

namespace stilvane {

// Windows-1252: "\xE4" a-umlaut, "\xF6" o-umlaut, "\xFC" u-umlaut, "\xDF"
// sharp s, "\x85" the ellipsis.
const LanguageTexts& BuiltInTexts() {
    static const LanguageTexts texts{
        .language = kBuiltInLanguage,
        .active = "&Popups blockieren",
        .exceptions = "&Ausnahmen bearbeiten",
        .sound = "&Sound abspielen beim Blockieren",
        .quit = "&Beenden",
        .buttonDelete = "&Entfernen",
        .buttonAdd = "&Hinzuf\xFCgen",
        .label1 = "Normalerweise blockiert der Popup Blocker jedes PopUp.\r\n"
                  "Sie k\xF6nnen aber auch PopUps von bestimmten URLs zulassen.\r\n"
                  "Dies ist manchmal notwendig, um z.b. AGBs zu akzeptieren vor einem Download.\r\n"
                  "Hier k\xF6nnen sie diese Ausnahmen festlegen.",
        .askSaveChanges = "\xC4nderungen an der Ausnahmeliste speichern?",
        .noteMerged = "Mit \xC4nderungen von au\xDF"
                      "erhalb des Editors zusammengef\xFChrt",
        .askUnstorable = {"%1 Eintr\xE4ge enthalten Zeichen, die f\xFCr den Blocker nicht "
                          "gespeichert werden k\xF6nnen; sie w\xFCrden als '?' gespeichert. "
                          "Trotzdem speichern?",
                          "%1 Eintrag enth\xE4lt Zeichen, die f\xFCr den Blocker nicht "
                          "gespeichert werden k\xF6nnen; sie w\xFCrden als '?' gespeichert. "
                          "Trotzdem speichern?",
                          {}},
        .labelExceptions = "Ausnahmen",
        .labelNewException = "Neue Ausnahme",
        .cueNewException = "Webadresse oder Teil davon",
        .listRemove = "Ent&fernen",
        .listSelectAll = "&Alles ausw\xE4hlen",
        .listCopy = "&Kopieren",
        .listPaste = "&Einf\xFCgen",
        .listImport = "Aus Datei &importieren\x85",
        .listExport = "In Datei e&xportieren\x85",
        .noteAdded = "%1 hinzugef\xFCgt, %2 bereits in der Liste",
        .filterText = "Textdateien (*.txt;*.ini)",
        .filterAll = "Alle Dateien (*.*)",
        .pause = "Blockieren pa&usieren",
        .pause5 = "F\xFCr &5 Minuten",
        .pause15 = "F\xFCr &15 Minuten",
        .pause60 = "F\xFCr 1 &Stunde",
        .pauseSignIn = "Bis zur n\xE4"
                       "chsten &Anmeldung",
        .pausedUntil = "Pausiert bis %1",
        .pausedSignIn = "Pausiert bis zur n\xE4"
                        "chsten Anmeldung",
        .balloonWelcome = "Das Blockieren von Popups l\xE4uft im Infobereich. Klicken Sie mit der "
                          "rechten Maustaste auf das Symbol, um das Men\xFC zu \xF6"
                          "ffnen.",
        .blockedCount = {"Heute %1 Popups blockiert, insgesamt %2",
                         "Heute %1 Popup blockiert, insgesamt %2",
                         {}},
        .refusedTooLong = {"%1 Eintr\xE4ge sind l\xE4nger als %2 Zeichen und wurden nicht "
                           "hinzugef\xFCgt: So lange Webadressen \xF6"
                           "ffnen die meisten Browser nicht.",
                           "%1 Eintrag ist l\xE4nger als %2 Zeichen und wurde nicht "
                           "hinzugef\xFCgt: So lange Webadressen \xF6"
                           "ffnen die meisten Browser nicht.",
                           {}},
        .askNotText = "Die Datei %1 sieht nicht wie eine Liste von Webadressen aus. Trotzdem "
                      "importieren?",
        .errorPauseStart = "Die Pause konnte nicht beginnen: Der Registrierungsschl\xFCssel %1 "
                           "kann nicht geschrieben werden (%2). Das Blockieren bleibt an.",
        .errorPauseEnd = "Die Pause konnte nicht enden: Der Registrierungsschl\xFCssel %1 kann "
                         "nicht geschrieben werden (%2). Das Blockieren bleibt aus, bis es "
                         "gelingt; das Programm versucht es weiter.",
        .errorCount = "Die Zahl der blockierten Popups konnte nicht gespeichert werden: Der "
                      "Registrierungsschl\xFCssel %1 kann nicht geschrieben werden (%2).",
        .errorImport = "Die Datei %1 konnte nicht importiert werden: Sie kann nicht gelesen "
                       "werden (%2).",
        .errorExport = "Die Liste konnte nicht exportiert werden: Die Datei %1 kann nicht "
                       "geschrieben werden (%2).",
        .errorMergeRead = "Die Ausnahmeliste wurde nicht gespeichert: Die Datei %1 kann nicht "
                          "gelesen werden, um \xC4nderungen von au\xDF"
                          "erhalb des Editors zu \xFC"
                          "bernehmen (%2).",
        .errorBackup = "Die Ausnahmeliste wurde nicht gespeichert: Ihre Sicherungskopie %1 kann "
                       "nicht geschrieben werden (%2).",
        // The runtime's own messages, without a reason.
        .errorFileOpen = messages::Pattern(MessageKind::FileOpen),
        .errorFileCreate = messages::Pattern(MessageKind::FileCreate),
        .errorFileWrite = messages::Pattern(MessageKind::FileWrite),
        .errorRegRead = messages::Pattern(MessageKind::RegRead),
        .errorRegWrite = messages::Pattern(MessageKind::RegWrite),
        .statisticsTitle = "Blockierte Popups",
        .statisticsEmpty = "In den letzten 30 Tagen wurden keine Popups blockiert",
        .statisticsToday = "Heute: %1",
        .statisticsWeek = "Letzte 7 Tage: %1",
        .statisticsTotal = "Insgesamt: %1",
        .statisticsChart =
            {"In den letzten 7 Tagen %1 Popups blockiert, in den letzten 30 Tagen %2",
             "In den letzten 7 Tagen %1 Popup blockiert, in den letzten 30 Tagen %2",
             {}},
        .buttonReset = "Z\xE4hler &zur\xFC"
                       "cksetzen",
        .buttonClose = "&Schlie\xDF"
                       "en",
        .askResetCount = "Den Z\xE4hler der blockierten Popups zur\xFC"
                         "cksetzen? Heute, die letzten 30 "
                         "Tage und die Gesamtzahl werden auf 0 gesetzt.",
        .sitesRecent = "&Zuletzt blockiert",
        .sitesNone = "Noch keine Websites",
        .sitesToday = "%1 (%2)",
        .sitesPublicSuffix = "(von vielen Websites geteilt)",
        .askAllowSite = "Popups von %1 zulassen?",
        .noteSiteCovered = "Popups von %1 sind bereits durch den Eintrag %2 zugelassen.",
        .notifyBlocked = "Be&nachrichtigen, wenn ein Popup blockiert wird",
        .balloonBlocked =
            "Popup auf %1 blockiert. Klicken Sie hier, um Popups dieser Website zuzulassen.",
        .balloonBlockedOnly = "Popup auf %1 blockiert.",
        .statisticsTopSites = "Websites mit den meisten blockierten Popups in den letzten 30 Tagen",
        .statisticsTopSite = {"%2: %1 Popups", "%2: %1 Popup", {}},
        .buttonAllow = "Zulassen",
        .errorSites = "Die blockierten Websites konnten nicht gespeichert werden: Der "
                      "Registrierungsschl\xFCssel %1 kann nicht geschrieben werden (%2).",
        .policyLocked = "(von Ihrer Organisation festgelegt)",
        .policyReadOnly = "schreibgesch\xFCtzt",
        .policyManaged = "verwaltete Eintr\xE4ge",
        .policyMarker = "(verwaltet)",
        .errorManaged = "Die von Ihrer Organisation verwalteten Ausnahmen konnten nicht in die "
                        "Datei %1 \xFC"
                        "bernommen werden (%2).",
        .noteManagedNow = "Ihre Organisation verwaltet die Ausnahmeliste jetzt: Ihre \xC4nderungen "
                          "daran k\xF6nnen nicht gespeichert werden.",
        .askCopyAdded = {"Die %1 Eintr\xE4ge, die Sie hinzugef\xFCgt haben, in die Zwischenablage "
                         "kopieren, bevor sie verworfen werden?",
                         "Den %1 Eintrag, den Sie hinzugef\xFCgt haben, in die Zwischenablage "
                         "kopieren, bevor er verworfen wird?",
                         {}},
        .askGuessed = "Die Datei %1 ist kein reiner Text; der Editor hat erraten, wie sie zu lesen "
                      "ist. Die Liste trotzdem dar\xFC"
                      "ber speichern? Die Datei bleibt, wie sie war, als %2 erhalten.",
    };
    return texts;
}

const std::vector<LanguageKey>& LanguageKeys() {
    static const std::vector<LanguageKey> keys{
        {"Active", &LanguageTexts::active},
        {"Exceptions", &LanguageTexts::exceptions},
        {"Sound", &LanguageTexts::sound},
        {"Quit", &LanguageTexts::quit},
        {"Button_Delete", &LanguageTexts::buttonDelete},
        {"Button_Add", &LanguageTexts::buttonAdd},
        {"Label1", &LanguageTexts::label1},
        {"Ask_SaveChanges", &LanguageTexts::askSaveChanges},
        {"Note_Merged", &LanguageTexts::noteMerged},
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
        {"Balloon_Welcome", &LanguageTexts::balloonWelcome},
        {"Ask_NotText", &LanguageTexts::askNotText},
        {"Error_PauseStart", &LanguageTexts::errorPauseStart},
        {"Error_PauseEnd", &LanguageTexts::errorPauseEnd},
        {"Error_Count", &LanguageTexts::errorCount},
        {"Error_Import", &LanguageTexts::errorImport},
        {"Error_Export", &LanguageTexts::errorExport},
        {"Error_MergeRead", &LanguageTexts::errorMergeRead},
        {"Error_Backup", &LanguageTexts::errorBackup},
        {"Error_FileOpen", &LanguageTexts::errorFileOpen},
        {"Error_FileCreate", &LanguageTexts::errorFileCreate},
        {"Error_FileWrite", &LanguageTexts::errorFileWrite},
        {"Error_RegRead", &LanguageTexts::errorRegRead},
        {"Error_RegWrite", &LanguageTexts::errorRegWrite},
        {"Statistics_Title", &LanguageTexts::statisticsTitle},
        {"Statistics_Empty", &LanguageTexts::statisticsEmpty},
        {"Statistics_Today", &LanguageTexts::statisticsToday},
        {"Statistics_Week", &LanguageTexts::statisticsWeek},
        {"Statistics_Total", &LanguageTexts::statisticsTotal},
        {"Button_Reset", &LanguageTexts::buttonReset},
        {"Button_Close", &LanguageTexts::buttonClose},
        {"Ask_ResetCount", &LanguageTexts::askResetCount},
        {"Sites_Recent", &LanguageTexts::sitesRecent},
        {"Sites_None", &LanguageTexts::sitesNone},
        {"Sites_Today", &LanguageTexts::sitesToday},
        {"Sites_PublicSuffix", &LanguageTexts::sitesPublicSuffix},
        {"Ask_AllowSite", &LanguageTexts::askAllowSite},
        {"Note_SiteCovered", &LanguageTexts::noteSiteCovered},
        {"Notify_Blocked", &LanguageTexts::notifyBlocked},
        {"Balloon_Blocked", &LanguageTexts::balloonBlocked},
        {"Balloon_BlockedOnly", &LanguageTexts::balloonBlockedOnly},
        {"Statistics_TopSites", &LanguageTexts::statisticsTopSites},
        {"Button_Allow", &LanguageTexts::buttonAllow},
        {"Error_Sites", &LanguageTexts::errorSites},
        {"Policy_Locked", &LanguageTexts::policyLocked},
        {"Policy_ReadOnly", &LanguageTexts::policyReadOnly},
        {"Policy_Managed", &LanguageTexts::policyManaged},
        {"Policy_Marker", &LanguageTexts::policyMarker},
        {"Error_Managed", &LanguageTexts::errorManaged},
        {"Note_ManagedNow", &LanguageTexts::noteManagedNow},
        {"Ask_Guessed", &LanguageTexts::askGuessed},
    };
    return keys;
}

const std::vector<CountedKey>& CountedKeys() {
    static const std::vector<CountedKey> keys{
        {"Ask_Unstorable", &LanguageTexts::askUnstorable},
        {"BlockedCount", &LanguageTexts::blockedCount},
        {"Refused_TooLong", &LanguageTexts::refusedTooLong},
        {"Statistics_Chart", &LanguageTexts::statisticsChart},
        {"Ask_CopyAdded", &LanguageTexts::askCopyAdded},
        {"Statistics_TopSite", &LanguageTexts::statisticsTopSite},
    };
    return keys;
}

LanguageTexts WithTextsFrom(LanguageTexts texts, LanguageId language,
                            const std::function<std::string(const std::string& key)>& lookup,
                            std::string (*labelText)(const std::string& text)) {
    texts.language = language;
    for (const auto& [key, field] : LanguageKeys()) {
        std::string text = lookup(key);
        if (!text.empty())
            texts.*field = field != &LanguageTexts::label1 ? std::move(text) : labelText(text);
    }
    for (const auto& [key, field] : CountedKeys()) {
        // The forms go together: a singular from elsewhere may be another
        // language's.
        CountedText found{lookup(key), lookup(std::string(key) + PluralKeySuffix(PluralForm::One)),
                          lookup(std::string(key) + PluralKeySuffix(PluralForm::Few))};
        if (!found.other.empty())
            texts.*field = std::move(found);
    }
    return texts;
}

std::string Counted(LanguageId language, const CountedText& text, std::uint64_t n,
                    const std::string& second) {
    const std::string* form = &text.other;
    switch (PluralFormOf(language, n)) {
    case PluralForm::One:
        form = &text.one;
        break;
    case PluralForm::Few:
        form = &text.few;
        break;
    case PluralForm::Other:
        break;
    }
    return FillIn(form->empty() ? text.other : *form, std::to_string(n), second);
}

std::string MessageIn(const LanguageTexts& texts, const std::exception& error,
                      std::string (*reasonOf)(const std::exception& error)) {
    // By kind, in the order of MessageKind.
    static constexpr std::string LanguageTexts::*kTexts[] = {
        nullptr,
        &LanguageTexts::errorFileOpen,
        &LanguageTexts::errorFileCreate,
        &LanguageTexts::errorFileWrite,
        &LanguageTexts::errorRegRead,
        &LanguageTexts::errorRegWrite,
    };
    const auto* known = dynamic_cast<const Exception*>(&error);
    const auto text = known ? kTexts[static_cast<int>(known->Kind())] : nullptr;
    // Without a code there is no reason to give, and no brackets to leave empty.
    if (!text || (!known->Code() && (texts.*text).find("%2") != std::string::npos))
        return error.what();
    return FillIn(texts.*text, known->Subject(), known->Code() ? reasonOf(error) : "");
}

} // namespace stilvane
