// The tray menu as one table: the items in their order, their texts and
// what choosing each does.
#pragma once

#include "settings/language/language_texts.h"

namespace stilvane {

class TForm_Stilvane;

// Adds the items to the controller's PopupMenu1 and keeps each in its
// member; the pause's lengths go into its submenu.
void AddTrayMenuItems(TForm_Stilvane& form);
// Takes the items' captions from `texts`; the count's is the state's.
void CaptionTrayMenu(TForm_Stilvane& form, const LanguageTexts& texts);

} // namespace stilvane
