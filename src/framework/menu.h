// Popup menus for the tray: items with captions and access keys ("&"), check
// marks, one default (bold) item, click handlers and separators.
#pragma once

#include "framework/component.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace stilvane {

class MenuItem : public TComponent {
public:
    explicit MenuItem(TComponent* owner) : TComponent(owner) {}

    std::string Caption; // "-" makes a separator
    bool Checked = false;
    bool Default = false;
    bool Enabled = true;
    TNotifyEvent OnClick;

    bool IsSeparator() const { return Caption == "-"; }
    // Calls OnClick, as when the user chooses the item.
    void Click() {
        if (OnClick)
            OnClick(this);
    }
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner) : TComponent(owner) {}

    // Adds an item owned by the menu.
    MenuItem& Add(std::string caption, TNotifyEvent onClick = nullptr);
    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }

    // Called just before the menu is shown, to bring its items up to date.
    TNotifyEvent OnPopup;

    // Shows the menu at (x, y) for `owner` and clicks the chosen item after
    // the menu has closed. Returns the chosen item, or null.
    MenuItem* Popup(HWND owner, int x, int y);

    // The menu as the system would show it now (tests look at it).
    HMENU Build() const;

private:
    std::vector<std::unique_ptr<MenuItem>> items_;
};

} // namespace stilvane
