#include "ui/sites/allow_site.h"

#include "framework/loop/application.h"
#include "framework/portable/text.h"
#include "framework/system/ansi_text.h"
#include "framework/system/file_io.h"
#include "settings/site_rule/blocked_site.h"
#include "ui/editor/exceptions_store.h"
#include "ui/sites/site_texts.h"

#include <algorithm>

namespace stilvane {

namespace {

// The entries of popup-exp.ini are in the ANSI code page.
std::optional<std::wstring> ReadEntry(std::string_view bytes) {
    return AnsiToWide(bytes);
}

// The list the user sees now: the open editor's, saved or not, or the file's.
std::vector<std::string> CurrentEntries(const ExceptionsEditor& editor, const std::string& file) {
    return editor.SessionOpen() ? editor.HeldEntries() : LoadExceptions(file).Entries();
}

void AddToFile(const std::string& site, const std::string& file) {
    // Read anew: the file may have changed while the question waited.
    const StoredExceptions stored = LoadExceptions(file);
    std::vector<std::string> entries = stored.Entries();
    if (CoveringEntry(entries, site, ReadEntry))
        return;
    // Characters the blocker's file cannot hold, and a file read by guess,
    // survive beside it, as when the editor saves.
    if (stored.guessed || std::any_of(stored.lines.begin(), stored.lines.end(),
                                      [](const AnsiLine& line) { return line.lossy; }))
        ReplaceFileContent(file + ".bak", stored.bytes);
    entries.push_back(site);
    SaveExceptions(file, entries);
}

} // namespace

bool AskToAllowSite(const std::string& site, const ExceptionsEditor& editor,
                    const std::string& exceptionsFile, const LanguageTexts& texts) {
    if (site.empty() || Application().BringBoxForward())
        return false;
    const std::string shown = ShortSite(site, kLongestSiteInBox);
    if (const auto entry = CoveringEntry(CurrentEntries(editor, exceptionsFile), site, ReadEntry)) {
        Application().ShowPlainMessage(FillIn(texts[TextKey::NoteSiteCovered], shown, *entry));
        return false;
    }
    return Application().Ask(FillIn(texts[TextKey::AskAllowSite], shown),
                             MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void AddAllowedSite(const std::string& site, ExceptionsEditor& editor,
                    const std::string& exceptionsFile) {
    if (!editor.SessionOpen())
        return AddToFile(site, exceptionsFile);
    // An unsaved addition, as if typed: Ok saves it with the rest.
    if (!CoveringEntry(editor.HeldEntries(), site, ReadEntry))
        editor.ListBox1->Add({site});
    editor.Open();
}

} // namespace stilvane
