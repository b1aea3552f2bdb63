#include "framework/menu.h"

#include <windows.h>

namespace stilvane {

MenuItem& TPopupMenu::Add(std::string caption, TNotifyEvent onClick) {
    auto item = std::make_unique<MenuItem>(this);
    item->Caption = std::move(caption);
    item->OnClick = std::move(onClick);
    items_.push_back(std::move(item));
    return *items_.back();
}

HMENU TPopupMenu::Build() const {
    HMENU menu = ::CreatePopupMenu();
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const MenuItem& item = *items_[i];
        const UINT id = static_cast<UINT>(i + 1);
        if (item.IsSeparator()) {
            ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        if (item.Checked)
            flags |= MF_CHECKED;
        if (!item.Enabled)
            flags |= MF_GRAYED;
        ::AppendMenuA(menu, flags, id, item.Caption.c_str());
        if (item.Default)
            ::SetMenuDefaultItem(menu, id, FALSE);
    }
    return menu;
}

MenuItem* TPopupMenu::Popup(HWND owner, int x, int y) {
    if (OnPopup)
        OnPopup(this);
    HMENU menu = Build();
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, 0, owner, nullptr));
    ::DestroyMenu(menu);
    if (chosen == 0 || chosen > items_.size())
        return nullptr;
    MenuItem* item = items_[chosen - 1].get();
    item->Click();
    return item;
}

} // namespace stilvane
