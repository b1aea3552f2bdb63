// The replaceable texts of the tray menu and the exceptions window, their
// built-in German versions and their keys in popup.ini.
#pragma once

#include <array>
#include <string>

namespace stilvane {

struct LanguageTexts {
    std::string active;         // tray menu item Block
    std::string exceptions;     // tray menu item Exceptions
    std::string sound;          // tray menu item Sound
    std::string quit;           // tray menu item Beenden1
    std::string buttonDelete;   // button Button_Delete
    std::string buttonAdd;      // button Button_Add
    std::string label1;         // explanatory label, rows joined by CR LF
    std::string askSaveChanges; // closing with unsaved edits
    std::string noteMerged;     // title note after saving over outside changes
    std::string askUnstorable;  // "%1" stands for the number of entries
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
const std::array<LanguageKey, 10>& LanguageKeys();

// In the label text of popup.ini every degree sign (byte 0xB0) stands for a
// line break.
std::string LabelTextFromIni(const std::string& text);

} // namespace stilvane
