// Allowing popups from a blocked site in one click: the user is asked, and
// on Yes the site becomes an entry of popup-exp.ini. With the editor open the
// entry goes into its list instead, unsaved, and the editor comes forward:
// nothing the user typed there is lost and nothing writes the file behind
// its back.
#pragma once

#include "settings/language_texts.h"
#include "ui/editor/exceptions_editor.h"

#include <string>

namespace stilvane {

// Asks whether to allow `site` and allows it on Yes; tells instead when an
// entry already allows it. While another box waits, that box comes forward
// and nothing else happens. Raises the file errors of the save, which leaves
// the old file as it was.
void AllowSite(const std::string& site, ExceptionsEditor& editor, const std::string& exceptionsFile,
               const LanguageTexts& texts);

} // namespace stilvane
