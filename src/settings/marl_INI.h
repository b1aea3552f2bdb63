// INI reading and the choice of the language texts. Files are looked up in
// the program directory.
#pragma once

#include "settings/language/language_choice.h"
#include "settings/language/language_texts.h"

#include <optional>
#include <string>
#include <vector>

namespace stilvane {

constexpr char kLanguageFileName[] = "popup.ini";
constexpr char kDialectsFileName[] = "DIALECTS.INI";
constexpr char kDialectsSection[] = "dialects";
// The program's own copy of the shipped popup.ini, a resource.
constexpr char kOwnLanguageFile[] = "POPUP_INI";

std::vector<std::string> ReadIniSections(const std::string& file);
// Empty when the file, section or key is missing or cannot be read.
std::string ReadIniString(const std::string& file, const std::string& section,
                          const std::string& key);

// The language for the files in `directory` with the given system language;
// nullopt when popup.ini is missing. A bad DIALECTS.INI number raises
// EConvertError.
std::optional<LanguageId> ChooseLanguage(const std::string& directory, LanguageId systemId);

// What the user is told when popup.ini is missing.
constexpr char kMissingLanguageFile[] = "Error : popup.ini missing!";

// The texts of language `id`: popup.ini's section `id` where it has a
// non-empty value, else the program's own copy of that language where it
// carries one, else the built-in texts.
LanguageTexts ReadLanguageTexts(const std::string& directory, LanguageId id);

} // namespace stilvane
