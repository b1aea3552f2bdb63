// The replaceable texts of the tray menu and the exceptions window, their
// built-in versions and their keys in popup.ini.
#pragma once

#include <array>
#include <string>

namespace stilvane {

struct LanguageTexts {
    std::string active;            // tray menu item Block
    std::string exceptions;        // tray menu item Exceptions
    std::string sound;             // tray menu item Sound
    std::string quit;              // tray menu item Beenden1
    std::string buttonDelete;      // button Button_Delete
    std::string buttonAdd;         // button Button_Add
    std::string label1;            // explanatory label, rows joined by CR LF
    std::string askSaveChanges;    // closing with unsaved edits
    std::string noteMerged;        // title note after saving over outside changes
    std::string askUnstorable;     // "%1" stands for the number of entries
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
    std::string pausedUntil;  // tooltip row while paused, "%1" the local end time
    std::string pausedSignIn; // tooltip row while paused until the next sign-in
    std::string blockedCount; // tooltip row and greyed menu item, "%1" today, "%2" all
};

// The texts the program carries: German for those it always had, English
// for the later ones.
const LanguageTexts& BuiltInTexts();

// The popup.ini keys in the order in which they are applied, with the field
// each one replaces.
struct LanguageKey {
    const char* key;
    std::string LanguageTexts::*field;
};
const std::array<LanguageKey, 30>& LanguageKeys();

// In the label text of popup.ini every degree sign (byte 0xB0) stands for a
// line break.
std::string LabelTextFromIni(const std::string& text);

} // namespace stilvane
