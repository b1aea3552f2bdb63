// The replaceable texts of the tray menu and the exceptions window, their
// built-in versions and their keys in popup.ini.
#pragma once

#include "framework/portable/errors.h"
#include "settings/language/language_choice.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace stilvane {

// The language of the built-in texts.
constexpr LanguageId kBuiltInLanguage = 1031;

// A text with a number in it, in the forms a language needs (see
// plural_forms.h); an empty form stands for `other`.
struct CountedText {
    std::string other;
    std::string one;
    std::string few;
};

// The replaceable texts, each with its key in popup.ini (KeyOf), in the
// order in which they are applied.
enum class TextKey : std::uint8_t {
    Active,            // tray menu item Block
    Exceptions,        // tray menu item Exceptions
    Sound,             // tray menu item Sound
    Quit,              // tray menu item Beenden1
    ButtonDelete,      // button Button_Delete
    ButtonAdd,         // button Button_Add
    Label1,            // explanatory label, rows joined by CR LF
    AskSaveChanges,    // closing with unsaved edits
    NoteMerged,        // title note after saving over outside changes
    LabelExceptions,   // names of the list and the field for
    LabelNewException, // screen readers
    CueNewException,   // hint in the empty field
    ListRemove,        // the list's context menu
    ListSelectAll,
    ListCopy,
    ListPaste,
    ListImport,
    ListExport,
    NoteAdded,  // after a paste or import: "%1" added, "%2" skipped
    FilterText, // file types of the open and save dialogs
    FilterAll,
    Pause,  // tray submenu Pause
    Pause5, // its items
    Pause15,
    Pause60,
    PauseSignIn,
    PausedUntil,    // tooltip row while paused, "%1" the local end time
    PausedSignIn,   // tooltip row while paused until the next sign-in
    BalloonWelcome, // the first start's balloon from the icon
    AskNotText,     // import of a file that looks binary, "%1" the file
    // Failures, each with "%1" the registry key or file and "%2" the system's reason.
    ErrorPauseStart,
    ErrorPauseEnd,
    ErrorCount,
    ErrorImport,
    ErrorExport,
    ErrorMergeRead,
    ErrorBackup,
    // The failures of files and of the registry, each with "%1" the file or
    // the value's name and "%2" the system's reason (see MessageIn).
    ErrorFileOpen,
    ErrorFileCreate,
    ErrorFileWrite,
    ErrorRegRead,
    ErrorRegWrite,
    // The statistics window: its title, the chart with nothing to show, the
    // three numbers ("%1"), its buttons and the question before a reset.
    StatisticsTitle,
    StatisticsEmpty,
    StatisticsToday,
    StatisticsWeek,
    StatisticsTotal,
    ButtonReset,
    ButtonClose,
    AskResetCount,
    // The sites popups were blocked on: the tray's submenu, its empty state
    // and each site with today's count ("%1" the site, "%2" the count); the
    // question before allowing one ("%1") and the answer when an entry
    // ("%2") already allows it; the check item and the notification ("%1"
    // the site); the statistics window's list of the sites blocked most with
    // its button; and the failure to store them ("%1" the key, "%2" why).
    SitesRecent,
    SitesNone,
    SitesToday,
    SitesPublicSuffix, // after a site no one can be allowed for
    AskAllowSite,
    NoteSiteCovered,
    NotifyBlocked,
    BalloonBlocked,
    BalloonBlockedOnly, // a block on a public suffix: no click to allow
    StatisticsTopSites,
    ButtonAllow,
    ErrorSites,
    // The organization's policies.
    PolicyLocked,   // after a locked menu item, the tip's row, the editor's title
    PolicyReadOnly, // the editor's title: the list cannot be changed
    PolicyManaged,  // the editor's title: it has managed entries
    PolicyMarker,   // after each managed entry in the list
    ErrorManaged,   // managed entries not written: "%1" the file, "%2" why
    NoteManagedNow, // the list turned read-only under unsaved edits
    AskGuessed,     // saving over a file read by guess: "%1" the file, "%2" its backup
};
constexpr std::size_t kTextCount = static_cast<std::size_t>(TextKey::AskGuessed) + 1;

// The counted texts; each form has a key of its own (plural_forms.h).
enum class CountedKey : std::uint8_t {
    AskUnstorable,     // entries the blocker cannot store: "%1" their number
    BlockedCount,      // tooltip row and greyed menu item, "%1" today, "%2" all
    RefusedTooLong,    // "%1" lines not added, "%2" the longest length allowed
    StatisticsChart,   // the chart's name for screen readers: "%1" 7 days, "%2" 30
    AskCopyAdded,      // the read-only question: the "%1" entries added, to the clipboard?
    StatisticsTopSite, // a row of the sites blocked most: "%1" the count, "%2" the site
};
constexpr std::size_t kCountedCount = static_cast<std::size_t>(CountedKey::StatisticsTopSite) + 1;

// Every key, in order, for loops.
template <typename Key, std::size_t count> constexpr std::array<Key, count> AllKeys() {
    std::array<Key, count> keys{};
    for (std::size_t i = 0; i < count; ++i)
        keys[i] = static_cast<Key>(i);
    return keys;
}
constexpr auto kTextKeys = AllKeys<TextKey, kTextCount>();
constexpr auto kCountedKeys = AllKeys<CountedKey, kCountedCount>();

// The key of a text in popup.ini.
const char* KeyOf(TextKey key);
const char* KeyOf(CountedKey key);

// The texts of one language, by key.
struct LanguageTexts {
    LanguageId language = kBuiltInLanguage;
    std::array<std::string, kTextCount> texts;
    std::array<CountedText, kCountedCount> counted;

    const std::string& operator[](TextKey key) const { return texts[static_cast<int>(key)]; }
    std::string& operator[](TextKey key) { return texts[static_cast<int>(key)]; }
    const CountedText& operator[](CountedKey key) const { return counted[static_cast<int>(key)]; }
    CountedText& operator[](CountedKey key) { return counted[static_cast<int>(key)]; }
};

// The texts the program carries when popup.ini has none: German.
LanguageTexts BuiltInTexts();

// `texts` with every non-empty text `lookup` finds for a key put in place of
// its own, all of them now counted as texts in `language`. The label's text
// goes through `labelText`, which makes its line breaks.
LanguageTexts WithTextsFrom(LanguageTexts texts, LanguageId language,
                            const std::function<std::string(const std::string& key)>& lookup,
                            std::string (*labelText)(const std::string& text));

// The form of `text` that `language` uses for `n`, with "%1" filled in by n
// and "%2" by `second`.
std::string Counted(LanguageId language, const CountedText& text, std::uint64_t n,
                    const std::string& second = {});

// The message of `error` in the language of `texts`: the text of its kind
// with "%1" what failed and "%2" the system's reason for its code, as
// `reasonOf` tells it. The error's own message for an error of no kind, and
// for a text that wants a reason when the error has no code.
std::string MessageIn(const LanguageTexts& texts, const std::exception& error,
                      std::string (*reasonOf)(const std::exception& error));

} // namespace stilvane
