#include "framework/gui/menu.h"

#include <windows.h>

namespace stilvane {

namespace {

using ItemList = std::vector<std::unique_ptr<MenuItem>>;

void AppendItems(HMENU menu, const ItemList& items) {
    for (const auto& entry : items) {
        const MenuItem& item = *entry;
        if (!item.Visible)
            continue;
        if (item.IsSeparator()) {
            ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        if (item.Checked)
            flags |= MF_CHECKED;
        if (!item.Enabled)
            flags |= MF_GRAYED;
        UINT_PTR id = item.Command();
        if (!item.Items().empty()) {
            // The submenu belongs to the menu from here on and goes with it.
            HMENU submenu = ::CreatePopupMenu();
            AppendItems(submenu, item.Items());
            flags |= MF_POPUP;
            id = reinterpret_cast<UINT_PTR>(submenu);
        }
        ::AppendMenuA(menu, flags, id, item.Caption.c_str());
        if (item.Default)
            ::SetMenuDefaultItem(menu, item.Command(), FALSE);
    }
}

MenuItem* Find(const ItemList& items, UINT command) {
    for (const auto& item : items) {
        if (item->Command() == command)
            return item.get();
        if (MenuItem* found = Find(item->Items(), command))
            return found;
    }
    return nullptr;
}

} // namespace

MenuItem& MenuItem::Add(std::string caption, TNotifyEvent onClick) {
    return menu_.AddTo(items_, this, std::move(caption), std::move(onClick));
}

MenuItem& TPopupMenu::AddTo(ItemList& items, TComponent* owner, std::string caption,
                            TNotifyEvent onClick) {
    auto item = std::make_unique<MenuItem>(owner, *this, nextCommand_++);
    item->Caption = std::move(caption);
    item->OnClick = std::move(onClick);
    items.push_back(std::move(item));
    return *items.back();
}

MenuItem& TPopupMenu::Add(std::string caption, TNotifyEvent onClick) {
    return AddTo(items_, this, std::move(caption), std::move(onClick));
}

MenuItem* TPopupMenu::FindCommand(UINT command) const {
    return command == 0 ? nullptr : Find(items_, command);
}

HMENU TPopupMenu::Build() const {
    HMENU menu = ::CreatePopupMenu();
    AppendItems(menu, items_);
    return menu;
}

MenuItem* TPopupMenu::Popup(HWND owner, int x, int y) {
    if (OnPopup)
        OnPopup(this);
    HMENU menu = Build();
    const auto chosen = static_cast<UINT>(::TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, 0, owner, nullptr));
    ::DestroyMenu(menu);
    MenuItem* item = FindCommand(chosen);
    if (item)
        item->Click();
    return item;
}

} // namespace stilvane
