#include "ui/tray/tray_menu.h"

#include "ui/form_Stilvane.h"

#include <optional>

namespace stilvane {

namespace {

// The tray menu, item by item: where the item is kept, its text, what choosing
// it does, and whether it opens with the submenu before it. The first item,
// the count, is captioned by the state; "-" items are separators.
struct TrayMenuEntry {
    MenuItem* TForm_Stilvane::*item;
    std::optional<TextKey> caption;
    void (TForm_Stilvane::*click)(TComponent*);
    bool inSubmenu;
};
constexpr TrayMenuEntry kTrayMenu[] = {
    {&TForm_Stilvane::Count, std::nullopt, &TForm_Stilvane::CountClick, false},
    {&TForm_Stilvane::Recent, TextKey::SitesRecent, nullptr, false},
    {&TForm_Stilvane::N3, std::nullopt, nullptr, false},
    {&TForm_Stilvane::Block, TextKey::Active, &TForm_Stilvane::BlockClick, false},
    {&TForm_Stilvane::Pause, TextKey::Pause, nullptr, false},
    {&TForm_Stilvane::Pause5, TextKey::Pause5, &TForm_Stilvane::PauseClick, true},
    {&TForm_Stilvane::Pause15, TextKey::Pause15, &TForm_Stilvane::PauseClick, true},
    {&TForm_Stilvane::Pause60, TextKey::Pause60, &TForm_Stilvane::PauseClick, true},
    {&TForm_Stilvane::PauseSignIn, TextKey::PauseSignIn, &TForm_Stilvane::PauseClick, true},
    {&TForm_Stilvane::Exceptions, TextKey::Exceptions, &TForm_Stilvane::ExceptionsClick, false},
    {&TForm_Stilvane::N2, std::nullopt, nullptr, false},
    {&TForm_Stilvane::Sound, TextKey::Sound, &TForm_Stilvane::SoundClick, false},
    {&TForm_Stilvane::Notify, TextKey::NotifyBlocked, &TForm_Stilvane::NotifyClick, false},
    {&TForm_Stilvane::N1, std::nullopt, nullptr, false},
    {&TForm_Stilvane::Beenden1, TextKey::Quit, &TForm_Stilvane::Beenden1Click, false},
};

} // namespace

void AddTrayMenuItems(TForm_Stilvane& form) {
    MenuItem* submenu = nullptr;
    for (const TrayMenuEntry& entry : kTrayMenu) {
        TNotifyEvent click;
        if (entry.click)
            click = [&form, handler = entry.click](TComponent* s) { (form.*handler)(s); };
        const std::string caption =
            entry.caption || entry.item == &TForm_Stilvane::Count ? "" : "-";
        MenuItem& item = entry.inSubmenu ? submenu->Add(caption, std::move(click))
                                         : form.PopupMenu1->Add(caption, std::move(click));
        form.*entry.item = &item;
        if (!entry.inSubmenu)
            submenu = &item;
    }
}

void CaptionTrayMenu(TForm_Stilvane& form, const LanguageTexts& texts) {
    for (const TrayMenuEntry& entry : kTrayMenu)
        if (entry.caption)
            (form.*entry.item)->Caption = texts[*entry.caption];
}

} // namespace stilvane
