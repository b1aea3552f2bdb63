// Popup menus for the tray: items with captions and access keys ("&"), check
// marks, one default (bold) item, click handlers, separators and submenus.
// Every item carries a command id of its own, unique within its menu.
#pragma once

#include "framework/portable/component.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace stilvane {

class TPopupMenu;

class MenuItem : public TComponent {
public:
    MenuItem(TComponent* owner, TPopupMenu& menu, UINT command)
        : TComponent(owner), menu_(menu), command_(command) {}

    std::string Caption; // "-" makes a separator
    bool Checked = false;
    bool Default = false;
    bool Enabled = true;
    bool Visible = true; // a hidden item is left out of the menu shown
    TNotifyEvent OnClick;

    UINT Command() const { return command_; }
    bool IsSeparator() const { return Caption == "-"; }
    // Adds an item to this item's submenu: an item with items opens one.
    MenuItem& Add(std::string caption, TNotifyEvent onClick = nullptr);
    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
    // Empties this item's submenu, for items that change with the state.
    void ClearItems() { items_.clear(); }
    // Calls OnClick, as when the user chooses the item.
    void Click() {
        if (OnClick)
            OnClick(this);
    }

private:
    TPopupMenu& menu_;
    UINT command_;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner) : TComponent(owner) {}

    // Adds an item owned by the menu.
    MenuItem& Add(std::string caption, TNotifyEvent onClick = nullptr);
    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }

    // Called just before the menu is shown, to bring its items up to date.
    TNotifyEvent OnPopup;

    // The item with this command id, in the menu or any submenu; null if none.
    MenuItem* FindCommand(UINT command) const;

    // Shows the menu at (x, y) for `owner` and clicks the chosen item after
    // the menu has closed. Returns the chosen item, or null.
    MenuItem* Popup(HWND owner, int x, int y);

    // The menu as the system would show it now (tests look at it).
    HMENU Build() const;

private:
    friend class MenuItem;
    MenuItem& AddTo(std::vector<std::unique_ptr<MenuItem>>& items, TComponent* owner,
                    std::string caption, TNotifyEvent onClick);

    std::vector<std::unique_ptr<MenuItem>> items_;
    UINT nextCommand_ = 1;
};

} // namespace stilvane
