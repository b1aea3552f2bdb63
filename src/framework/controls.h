// Child-window controls of a form: push buttons, a single-line edit field, a
// sorted list box with extended selection, and an etched line.
#pragma once

#include "framework/component.h"
#include "framework/menu.h"
#include "framework/unique_handle.h"
#include "framework/window.h"

#include <functional>
#include <string>
#include <vector>

namespace stilvane {

struct Bounds {
    int left, top, width, height;
};

class Control : public TComponent, public Window {
public:
    int Id() const { return id_; }
    std::string Text() const;
    void SetText(const std::string& text) const;
    void SetFocus() const { ::SetFocus(Handle()); }
    void SetBounds(Bounds bounds) const;
    // The caller keeps `font` alive while the control uses it.
    void SetFont(HFONT font) const;
    // Called by the parent window for WM_COMMAND notifications of this control.
    virtual void Command(WORD /*notification*/) {}
    // The control object of a child window, or null.
    static Control* FromHandle(HWND window);

protected:
    // Creates the control as a child of `parent`, with the parent's font.
    Control(TComponent* owner, HWND parent, int id, const char* windowClass, DWORD style,
            DWORD exStyle, Bounds bounds, const std::string& text);

private:
    int id_;
};

class Button : public Control {
public:
    Button(TComponent* owner, HWND parent, int id, Bounds bounds, const std::string& caption);
    TNotifyEvent OnClick;
    void Click() {
        if (OnClick)
            OnClick(this);
    }
    void Command(WORD notification) override;
};

class Edit : public Control {
public:
    Edit(TComponent* owner, HWND parent, int id, Bounds bounds);
    // Grey hint shown while the field is empty.
    void SetCueBanner(const std::string& text) const;
    // Enter in the field; unset, Enter goes to the dialog as usual.
    TNotifyEvent OnEnter;
    // A paste (Ctrl+V, Shift+Insert, the field's menu): true when the handler
    // took it, false to let the field paste as usual.
    std::function<bool(TComponent* sender)> OnPaste;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Keeps its items in its own sort order; several may be selected at once.
class ListBox : public Control {
public:
    ListBox(TComponent* owner, HWND parent, int id, Bounds bounds, int itemHeight);
    void SetItemHeight(int height) const;
    void Clear() const;
    void Add(const std::string& item) const;
    // Replaces every item at once; fast for any number of items.
    void Assign(std::vector<std::string> items) const;
    // Removes every selected item; fast for any number of items.
    void DeleteSelected() const;
    int Count() const;
    std::string Item(int index) const;
    std::vector<std::string> Items() const;
    // Index of an item byte for byte equal to `text`, or -1. Letter case
    // counts: the blocker may compare paths case-sensitively.
    int FindExact(const std::string& text) const;
    bool Selected(int index) const;
    void Select(int index, bool selected) const;
    void SelectAll() const;
    int SelectedCount() const;
    std::vector<std::string> SelectedItems() const;
    void Delete(int index) const;
    // Adds many items at once: one by one for a few, by the fast path for many.
    void AddMany(const std::vector<std::string>& items) const;

    // The Delete key, a paste (Ctrl+V, Shift+Insert) and a copy (Ctrl+C,
    // Ctrl+Insert) in the list. Ctrl+A selects every item by itself.
    TNotifyEvent OnDeleteKey;
    TNotifyEvent OnPaste;
    TNotifyEvent OnCopy;
    // Shown on a right click, the menu key or Shift+F10.
    TPopupMenu* PopupMenu = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Replaces every item with `items`, which are in the list's order already.
    void ReplaceInOrder(const std::vector<std::string>& items) const;
};

class Bevel : public Control {
public:
    Bevel(TComponent* owner, HWND parent, Bounds bounds);
};

// A text label; in front of a control in the tab order it gives that
// control its name for screen readers, even where it has no room to show.
class Label : public Control {
public:
    Label(TComponent* owner, HWND parent, Bounds bounds, const std::string& text);
};

} // namespace stilvane
