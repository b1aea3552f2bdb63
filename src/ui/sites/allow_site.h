// Allowing popups from a blocked site in one click: the user is asked, and
// on Yes the site becomes an entry of popup-exp.ini. With the editor open the
// entry goes into its list instead, unsaved, and the editor comes forward:
// nothing the user typed there is lost and nothing writes the file behind
// its back.
#pragma once

#include "settings/language/language_texts.h"
#include "ui/editor/exceptions_editor.h"

#include <string>

namespace stilvane {

// The longest a site is shown in a box's text: the box stays narrower than
// the smallest screen, and the site's domain stays whole (ShortSite).
constexpr std::size_t kLongestSiteInBox = 64;

// Asks whether to allow `site`; true on Yes. Tells instead when an entry
// already allows it, and while another box waits, brings that forward:
// then false.
bool AskToAllowSite(const std::string& site, const ExceptionsEditor& editor,
                    const std::string& exceptionsFile, const LanguageTexts& texts);

// Makes `site` an entry, unless one allows it by now. Raises the file
// errors of the save, which leaves the old file as it was.
void AddAllowedSite(const std::string& site, ExceptionsEditor& editor,
                    const std::string& exceptionsFile);

} // namespace stilvane
