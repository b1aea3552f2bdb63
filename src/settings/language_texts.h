// The replaceable texts of the tray menu and the exceptions window, their
// built-in versions and their keys in popup.ini.
#pragma once

#include "framework/errors.h"
#include "settings/language_choice.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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

struct LanguageTexts {
    LanguageId language = kBuiltInLanguage;
    std::string active;            // tray menu item Block
    std::string exceptions;        // tray menu item Exceptions
    std::string sound;             // tray menu item Sound
    std::string quit;              // tray menu item Beenden1
    std::string buttonDelete;      // button Button_Delete
    std::string buttonAdd;         // button Button_Add
    std::string label1;            // explanatory label, rows joined by CR LF
    std::string askSaveChanges;    // closing with unsaved edits
    std::string noteMerged;        // title note after saving over outside changes
    CountedText askUnstorable;     // "%1" stands for the number of entries
    std::string labelExceptions;   // names of the list and the field for
    std::string labelNewException; // screen readers
    std::string cueNewException;   // hint in the empty field
    std::string listRemove;        // the list's context menu
    std::string listSelectAll;
    std::string listCopy;
    std::string listPaste;
    std::string listImport;
    std::string listExport;
    std::string noteAdded;  // after a paste or import: "%1" added, "%2" skipped
    std::string filterText; // file types of the open and save dialogs
    std::string filterAll;
    std::string pause;  // tray submenu Pause
    std::string pause5; // its items
    std::string pause15;
    std::string pause60;
    std::string pauseSignIn;
    std::string pausedUntil;    // tooltip row while paused, "%1" the local end time
    std::string pausedSignIn;   // tooltip row while paused until the next sign-in
    std::string balloonWelcome; // the first start's balloon from the icon
    CountedText blockedCount;   // tooltip row and greyed menu item, "%1" today, "%2" all
    CountedText refusedTooLong; // "%1" lines not added, "%2" the longest length allowed
    std::string askNotText;     // import of a file that looks binary, "%1" the file
    // Failures, each with "%1" the registry key or file and "%2" the system's reason.
    std::string errorPauseStart;
    std::string errorPauseEnd;
    std::string errorCount;
    std::string errorImport;
    std::string errorExport;
    std::string errorMergeRead;
    std::string errorBackup;
    // The failures of files and of the registry, each with "%1" the file or
    // the value's name and "%2" the system's reason (see MessageIn).
    std::string errorFileOpen;
    std::string errorFileCreate;
    std::string errorFileWrite;
    std::string errorRegRead;
    std::string errorRegWrite;
    // The statistics window: its title, the chart with nothing to show, the
    // three numbers ("%1"), the chart's name for screen readers ("%1" the last
    // seven days, "%2" the last 30), its buttons and the question before a reset.
    std::string statisticsTitle;
    std::string statisticsEmpty;
    std::string statisticsToday;
    std::string statisticsWeek;
    std::string statisticsTotal;
    CountedText statisticsChart;
    std::string buttonReset;
    std::string buttonClose;
    std::string askResetCount;
    // The sites popups were blocked on: the tray's submenu, its empty state
    // and each site with today's count ("%1" the site, "%2" the count); the
    // question before allowing one ("%1") and the answer when an entry
    // ("%2") already allows it; the check item and the notification ("%1"
    // the site); the statistics window's list of the sites blocked most, each
    // row counted ("%1" the count, "%2" the site) with its button; and the
    // failure to store them ("%1" the key, "%2" why).
    std::string sitesRecent;
    std::string sitesNone;
    std::string sitesToday;
    std::string sitesPublicSuffix; // after a site no one can be allowed for
    std::string askAllowSite;
    std::string noteSiteCovered;
    std::string notifyBlocked;
    std::string balloonBlocked;
    std::string balloonBlockedOnly; // a block on a public suffix: no click to allow
    std::string statisticsTopSites;
    CountedText statisticsTopSite;
    std::string buttonAllow;
    std::string errorSites;
    // The organization's policies.
    std::string policyLocked;   // after a locked menu item, the tip's row, the editor's title
    std::string policyReadOnly; // the editor's title: the list cannot be changed
    std::string policyManaged;  // the editor's title: it has managed entries
    std::string policyMarker;   // after each managed entry in the list
    std::string errorManaged;   // managed entries not written: "%1" the file, "%2" why
    std::string noteManagedNow; // the list turned read-only under unsaved edits
    CountedText askCopyAdded;   // after it: the "%1" entries added, to the clipboard?
    // Saving over a file read by guess: "%1" the file, "%2" its backup.
    std::string askGuessed;
};

// The texts the program carries when popup.ini has none: German.
const LanguageTexts& BuiltInTexts();

// The popup.ini keys in the order in which they are applied, with the field
// each one replaces.
struct LanguageKey {
    const char* key;
    std::string LanguageTexts::*field;
};
const std::vector<LanguageKey>& LanguageKeys();

// The keys of counted texts; each form has a key of its own (plural_forms.h).
struct CountedKey {
    const char* key;
    CountedText LanguageTexts::*field;
};
const std::vector<CountedKey>& CountedKeys();

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
