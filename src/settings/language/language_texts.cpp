#include "settings/language/language_texts.h"

#include "framework/portable/text.h"
#include "settings/language/plural_forms.h"

namespace stilvane {

namespace {

// Windows-1252: "\xE4" a-umlaut, "\xF6" o-umlaut, "\xFC" u-umlaut, "\xDF"
// sharp s, "\x85" the ellipsis.
struct TextRow {
    TextKey id;
    const char* key;
    const char* german;
};
constexpr TextRow kTexts[] = {
    {TextKey::Active, "Active", "&Popups blockieren"},
    {TextKey::Exceptions, "Exceptions", "&Ausnahmen bearbeiten"},
    {TextKey::Sound, "Sound", "&Sound abspielen beim Blockieren"},
    {TextKey::Quit, "Quit", "&Beenden"},
    {TextKey::ButtonDelete, "Button_Delete", "&Entfernen"},
    {TextKey::ButtonAdd, "Button_Add", "&Hinzuf\xFCgen"},
    {TextKey::Label1, "Label1",
     "Normalerweise blockiert der Popup Blocker jedes PopUp.\r\n"
     "Sie k\xF6nnen aber auch PopUps von bestimmten URLs zulassen.\r\n"
     "Dies ist manchmal notwendig, um z.b. AGBs zu akzeptieren vor einem Download.\r\n"
     "Hier k\xF6nnen sie diese Ausnahmen festlegen."},
    {TextKey::AskSaveChanges, "Ask_SaveChanges", "\xC4nderungen an der Ausnahmeliste speichern?"},
    {TextKey::NoteMerged, "Note_Merged",
     "Mit \xC4nderungen von au\xDF"
     "erhalb des Editors zusammengef\xFChrt"},
    {TextKey::LabelExceptions, "Label_Exceptions", "Ausnahmen"},
    {TextKey::LabelNewException, "Label_NewException", "Neue Ausnahme"},
    {TextKey::CueNewException, "Cue_NewException", "Webadresse oder Teil davon"},
    {TextKey::ListRemove, "List_Remove", "Ent&fernen"},
    {TextKey::ListSelectAll, "List_SelectAll", "&Alles ausw\xE4hlen"},
    {TextKey::ListCopy, "List_Copy", "&Kopieren"},
    {TextKey::ListPaste, "List_Paste", "&Einf\xFCgen"},
    {TextKey::ListImport, "List_Import", "Aus Datei &importieren\x85"},
    {TextKey::ListExport, "List_Export", "In Datei e&xportieren\x85"},
    {TextKey::NoteAdded, "Note_Added", "%1 hinzugef\xFCgt, %2 bereits in der Liste"},
    {TextKey::FilterText, "Filter_Text", "Textdateien (*.txt;*.ini)"},
    {TextKey::FilterAll, "Filter_All", "Alle Dateien (*.*)"},
    {TextKey::Pause, "Pause", "Blockieren pa&usieren"},
    {TextKey::Pause5, "Pause5", "F\xFCr &5 Minuten"},
    {TextKey::Pause15, "Pause15", "F\xFCr &15 Minuten"},
    {TextKey::Pause60, "Pause60", "F\xFCr 1 &Stunde"},
    {TextKey::PauseSignIn, "PauseSignIn",
     "Bis zur n\xE4"
     "chsten &Anmeldung"},
    {TextKey::PausedUntil, "PausedUntil", "Pausiert bis %1"},
    {TextKey::PausedSignIn, "PausedSignIn",
     "Pausiert bis zur n\xE4"
     "chsten Anmeldung"},
    {TextKey::BalloonWelcome, "Balloon_Welcome",
     "Das Blockieren von Popups l\xE4uft im Infobereich. Klicken Sie mit der "
     "rechten Maustaste auf das Symbol, um das Men\xFC zu \xF6"
     "ffnen."},
    {TextKey::AskNotText, "Ask_NotText",
     "Die Datei %1 sieht nicht wie eine Liste von Webadressen aus. Trotzdem "
     "importieren?"},
    {TextKey::ErrorPauseStart, "Error_PauseStart",
     "Die Pause konnte nicht beginnen: Der Registrierungsschl\xFCssel %1 "
     "kann nicht geschrieben werden (%2). Das Blockieren bleibt an."},
    {TextKey::ErrorPauseEnd, "Error_PauseEnd",
     "Die Pause konnte nicht enden: Der Registrierungsschl\xFCssel %1 kann "
     "nicht geschrieben werden (%2). Das Blockieren bleibt aus, bis es "
     "gelingt; das Programm versucht es weiter."},
    {TextKey::ErrorCount, "Error_Count",
     "Die Zahl der blockierten Popups konnte nicht gespeichert werden: Der "
     "Registrierungsschl\xFCssel %1 kann nicht geschrieben werden (%2)."},
    {TextKey::ErrorImport, "Error_Import",
     "Die Datei %1 konnte nicht importiert werden: Sie kann nicht gelesen "
     "werden (%2)."},
    {TextKey::ErrorExport, "Error_Export",
     "Die Liste konnte nicht exportiert werden: Die Datei %1 kann nicht "
     "geschrieben werden (%2)."},
    {TextKey::ErrorMergeRead, "Error_MergeRead",
     "Die Ausnahmeliste wurde nicht gespeichert: Die Datei %1 kann nicht "
     "gelesen werden, um \xC4nderungen von au\xDF"
     "erhalb des Editors zu \xFC"
     "bernehmen (%2)."},
    {TextKey::ErrorBackup, "Error_Backup",
     "Die Ausnahmeliste wurde nicht gespeichert: Ihre Sicherungskopie %1 kann "
     "nicht geschrieben werden (%2)."},
    // The runtime's own messages, put in by BuiltInTexts.
    {TextKey::ErrorFileOpen, "Error_FileOpen", nullptr},
    {TextKey::ErrorFileCreate, "Error_FileCreate", nullptr},
    {TextKey::ErrorFileWrite, "Error_FileWrite", nullptr},
    {TextKey::ErrorRegRead, "Error_RegRead", nullptr},
    {TextKey::ErrorRegWrite, "Error_RegWrite", nullptr},
    {TextKey::StatisticsTitle, "Statistics_Title", "Blockierte Popups"},
    {TextKey::StatisticsEmpty, "Statistics_Empty",
     "In den letzten 30 Tagen wurden keine Popups blockiert"},
    {TextKey::StatisticsToday, "Statistics_Today", "Heute: %1"},
    {TextKey::StatisticsWeek, "Statistics_Week", "Letzte 7 Tage: %1"},
    {TextKey::StatisticsTotal, "Statistics_Total", "Insgesamt: %1"},
    {TextKey::ButtonReset, "Button_Reset",
     "Z\xE4hler &zur\xFC"
     "cksetzen"},
    {TextKey::ButtonClose, "Button_Close",
     "&Schlie\xDF"
     "en"},
    {TextKey::AskResetCount, "Ask_ResetCount",
     "Den Z\xE4hler der blockierten Popups zur\xFC"
     "cksetzen? Heute, die letzten 30 "
     "Tage und die Gesamtzahl werden auf 0 gesetzt."},
    {TextKey::SitesRecent, "Sites_Recent", "&Zuletzt blockiert"},
    {TextKey::SitesNone, "Sites_None", "Noch keine Websites"},
    {TextKey::SitesToday, "Sites_Today", "%1 (%2)"},
    {TextKey::SitesPublicSuffix, "Sites_PublicSuffix", "(von vielen Websites geteilt)"},
    {TextKey::AskAllowSite, "Ask_AllowSite", "Popups von %1 zulassen?"},
    {TextKey::NoteSiteCovered, "Note_SiteCovered",
     "Popups von %1 sind bereits durch den Eintrag %2 zugelassen."},
    {TextKey::NotifyBlocked, "Notify_Blocked", "Be&nachrichtigen, wenn ein Popup blockiert wird"},
    {TextKey::BalloonBlocked, "Balloon_Blocked",
     "Popup auf %1 blockiert. Klicken Sie hier, um Popups dieser Website zuzulassen."},
    {TextKey::BalloonBlockedOnly, "Balloon_BlockedOnly", "Popup auf %1 blockiert."},
    {TextKey::StatisticsTopSites, "Statistics_TopSites",
     "Websites mit den meisten blockierten Popups in den letzten 30 Tagen"},
    {TextKey::ButtonAllow, "Button_Allow", "Zulassen"},
    {TextKey::ErrorSites, "Error_Sites",
     "Die blockierten Websites konnten nicht gespeichert werden: Der "
     "Registrierungsschl\xFCssel %1 kann nicht geschrieben werden (%2)."},
    {TextKey::PolicyLocked, "Policy_Locked", "(von Ihrer Organisation festgelegt)"},
    {TextKey::PolicyReadOnly, "Policy_ReadOnly", "schreibgesch\xFCtzt"},
    {TextKey::PolicyManaged, "Policy_Managed", "verwaltete Eintr\xE4ge"},
    {TextKey::PolicyMarker, "Policy_Marker", "(verwaltet)"},
    {TextKey::ErrorManaged, "Error_Managed",
     "Die von Ihrer Organisation verwalteten Ausnahmen konnten nicht in die "
     "Datei %1 \xFC"
     "bernommen werden (%2)."},
    {TextKey::NoteManagedNow, "Note_ManagedNow",
     "Ihre Organisation verwaltet die Ausnahmeliste jetzt: Ihre \xC4nderungen "
     "daran k\xF6nnen nicht gespeichert werden."},
    {TextKey::AskGuessed, "Ask_Guessed",
     "Die Datei %1 ist kein reiner Text; der Editor hat erraten, wie sie zu lesen "
     "ist. Die Liste trotzdem dar\xFC"
     "ber speichern? Die Datei bleibt, wie sie war, als %2 erhalten."},
};

struct CountedRow {
    CountedKey id;
    const char* key;
    const char* other;
    const char* one;
};
constexpr CountedRow kCounted[] = {
    {CountedKey::AskUnstorable, "Ask_Unstorable",
     "%1 Eintr\xE4ge enthalten Zeichen, die f\xFCr den Blocker nicht "
     "gespeichert werden k\xF6nnen; sie w\xFCrden als '?' gespeichert. "
     "Trotzdem speichern?",
     "%1 Eintrag enth\xE4lt Zeichen, die f\xFCr den Blocker nicht "
     "gespeichert werden k\xF6nnen; sie w\xFCrden als '?' gespeichert. "
     "Trotzdem speichern?"},
    {CountedKey::BlockedCount, "BlockedCount", "Heute %1 Popups blockiert, insgesamt %2",
     "Heute %1 Popup blockiert, insgesamt %2"},
    {CountedKey::RefusedTooLong, "Refused_TooLong",
     "%1 Eintr\xE4ge sind l\xE4nger als %2 Zeichen und wurden nicht "
     "hinzugef\xFCgt: So lange Webadressen \xF6"
     "ffnen die meisten Browser nicht.",
     "%1 Eintrag ist l\xE4nger als %2 Zeichen und wurde nicht "
     "hinzugef\xFCgt: So lange Webadressen \xF6"
     "ffnen die meisten Browser nicht."},
    {CountedKey::StatisticsChart, "Statistics_Chart",
     "In den letzten 7 Tagen %1 Popups blockiert, in den letzten 30 Tagen %2",
     "In den letzten 7 Tagen %1 Popup blockiert, in den letzten 30 Tagen %2"},
    {CountedKey::AskCopyAdded, "Ask_CopyAdded",
     "Die %1 Eintr\xE4ge, die Sie hinzugef\xFCgt haben, in die Zwischenablage "
     "kopieren, bevor sie verworfen werden?",
     "Den %1 Eintrag, den Sie hinzugef\xFCgt haben, in die Zwischenablage "
     "kopieren, bevor er verworfen wird?"},
    {CountedKey::StatisticsTopSite, "Statistics_TopSite", "%2: %1 Popups", "%2: %1 Popup"},
};

template <typename Row, std::size_t count> constexpr bool InKeyOrder(const Row (&rows)[count]) {
    for (std::size_t i = 0; i < count; ++i)
        if (static_cast<std::size_t>(rows[i].id) != i)
            return false;
    return true;
}
static_assert(std::size(kTexts) == kTextCount && InKeyOrder(kTexts));
static_assert(std::size(kCounted) == kCountedCount && InKeyOrder(kCounted));

// The texts of failures of files and of the registry, by kind in the order of
// MessageKind (after None).
constexpr TextKey kFailureTexts[] = {TextKey::ErrorFileOpen, TextKey::ErrorFileCreate,
                                     TextKey::ErrorFileWrite, TextKey::ErrorRegRead,
                                     TextKey::ErrorRegWrite};

} // namespace

const char* KeyOf(TextKey key) {
    return kTexts[static_cast<int>(key)].key;
}

const char* KeyOf(CountedKey key) {
    return kCounted[static_cast<int>(key)].key;
}

LanguageTexts BuiltInTexts() {
    LanguageTexts texts;
    for (const TextRow& row : kTexts)
        if (row.german)
            texts[row.id] = row.german;
    // The runtime's own messages, without a reason.
    for (int kind = 1; kind <= static_cast<int>(MessageKind::RegWrite); ++kind)
        texts[kFailureTexts[kind - 1]] = messages::Pattern(static_cast<MessageKind>(kind));
    for (const CountedRow& row : kCounted)
        texts[row.id] = {row.other, row.one, {}};
    return texts;
}

LanguageTexts WithTextsFrom(LanguageTexts texts, LanguageId language,
                            const std::function<std::string(const std::string& key)>& lookup,
                            std::string (*labelText)(const std::string& text)) {
    texts.language = language;
    for (const TextKey key : kTextKeys) {
        std::string text = lookup(KeyOf(key));
        if (!text.empty())
            texts[key] = key != TextKey::Label1 ? std::move(text) : labelText(text);
    }
    for (const CountedKey key : kCountedKeys) {
        // The forms go together: a singular from elsewhere may be another
        // language's.
        const std::string name = KeyOf(key);
        CountedText found{lookup(name), lookup(name + PluralKeySuffix(PluralForm::One)),
                          lookup(name + PluralKeySuffix(PluralForm::Few))};
        if (!found.other.empty())
            texts[key] = std::move(found);
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
    const auto* known = dynamic_cast<const Exception*>(&error);
    if (!known || known->Kind() == MessageKind::None)
        return error.what();
    const std::string& text = texts[kFailureTexts[static_cast<int>(known->Kind()) - 1]];
    // Without a code there is no reason to give, and no brackets to leave empty.
    if (!known->Code() && text.find("%2") != std::string::npos)
        return error.what();
    return FillIn(text, known->Subject(), known->Code() ? reasonOf(error) : "");
}

} // namespace stilvane
