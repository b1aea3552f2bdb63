#include "settings/marl_INI.h"

#include "framework/portable/path.h"
#include "framework/system/ansi_text.h"
#include "framework/system/files.h"
#include "framework/system/ini_file.h"
#include "framework/system/program_resource.h"
#include "settings/language/ini_text.h"

#include <windows.h>

namespace stilvane {

namespace {} // namespace

std::vector<std::string> ReadIniSections(const std::string& file) {
    return IniFile(file).SectionNames();
}

std::string ReadIniString(const std::string& file, const std::string& section,
                          const std::string& key) {
    return IniFile(file).ReadString(section, key);
}

std::optional<LanguageId> ChooseLanguage(const std::string& directory, LanguageId systemId) {
    const std::string languageFile = FileInDirectory(directory, kLanguageFileName);
    if (!FileExists(languageFile))
        return std::nullopt;
    LanguageId chosen = LanguageFromSections(systemId, ReadIniSections(languageFile));
    // Both files are read once, at start: the system need not keep them.
    IniFile(languageFile).ReleaseCache();
    const std::string dialectsFile = FileInDirectory(directory, kDialectsFileName);
    if (FileExists(dialectsFile)) {
        const std::string dialect =
            ReadIniString(dialectsFile, kDialectsSection, std::to_string(chosen));
        IniFile(dialectsFile).ReleaseCache();
        chosen = ApplyDialect(chosen, dialect);
    }
    return chosen;
}

namespace {

// The label's line breaks: the code page's degree sign, found as a character
// of its own (in a double-byte code page byte 0xB0 is part of another).
std::string LabelLineBreaks(const std::string& text) {
    std::wstring rows;
    for (const wchar_t c : AnsiToWide(text))
        rows += c == L'\u00B0' ? std::wstring(L"\r\n") : std::wstring(1, c);
    return WideToAnsi(rows);
}

} // namespace

LanguageTexts ReadLanguageTexts(const std::string& directory, LanguageId id) {
    const std::string section = std::to_string(id);
    // A key that popup.ini lacks (one from an older version, say), or one
    // form of a counted text, comes from the program's own copy of the same
    // language, not from another one.
    const std::string own = UnpackedProgramData(kOwnLanguageFile);
    const std::string languageFile = FileInDirectory(directory, kLanguageFileName);
    LanguageTexts texts = WithTextsFrom(
        BuiltInTexts(), id,
        [&](const std::string& key) {
            std::string text = ReadIniString(languageFile, section, key);
            return text.empty() ? IniTextValue(own, section, key).value_or("") : text;
        },
        &LabelLineBreaks);
    // Kept by the system, all 24 languages of it would stay in memory.
    IniFile(languageFile).ReleaseCache();
    return texts;
}

} // namespace stilvane
