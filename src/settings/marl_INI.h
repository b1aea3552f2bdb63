// INI reading and the choice of the language texts. Files are looked up in
// the program directory.
#pragma once

#include "settings/language_choice.h"
#include "settings/language_texts.h"

#include <optional>
#include <string>
#include <vector>

namespace stilvane {

constexpr char kLanguageFileName[] = "popup.ini";
constexpr char kDialectsFileName[] = "DIALECTS.INI";
constexpr char kDialectsSection[] = "dialects";

std::vector<std::string> ReadIniSections(const std::string& file);
// Empty when the file, section or key is missing or cannot be read.
std::string ReadIniString(const std::string& file, const std::string& section,
                          const std::string& key);

// The language for the files in `directory` with the given system language;
// nullopt when popup.ini is missing. A bad DIALECTS.INI number raises
// EConvertError.
std::optional<LanguageId> ChooseLanguage(const std::string& directory, LanguageId systemId);

// ChooseLanguage for the system default language. When popup.ini is
// missing it tells the user so and returns nullopt.
std::optional<LanguageId> SelectLanguage(const std::string& directory);

// The built-in texts with those of popup.ini's section `id` put in their
// place where the file has a non-empty value.
LanguageTexts ReadLanguageTexts(const std::string& directory, LanguageId id);

} // namespace stilvane
