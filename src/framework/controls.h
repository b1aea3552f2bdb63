// Child-window controls of a form: push buttons, a single-line edit field, a
// sorted list box with extended selection, and an etched line.
#pragma once

#include "framework/component.h"
#include "framework/menu.h"
#include "framework/unique_handle.h"
#include "framework/window.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace stilvane {

struct Bounds {
    int left, top, width, height;
};

class Control : public TComponent, public Window {
public:
    int Id() const { return id_; }
    // The text in the ANSI code page; characters it lacks become "?".
    std::string Text() const;
    std::wstring WideText() const;
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
    Control(TComponent* owner, HWND parent, int id, const wchar_t* windowClass, DWORD style,
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
    void SetCueBanner(const std::string& text);
    // The hint's colour; nullopt for the system's grey, which is too faint
    // on a dark field.
    void SetCueColor(std::optional<COLORREF> color);
    // Selects the whole text, so that typing replaces it.
    void SelectAll() const;
    // Enter in the field; unset, Enter goes to the dialog as usual.
    TNotifyEvent OnEnter;
    // A paste (Ctrl+V, Shift+Insert, the field's menu): true when the handler
    // took it, false to let the field paste as usual.
    std::function<bool(TComponent* sender)> OnPaste;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The empty field with its hint in the hint's own colour.
    void PaintCue() const;

    std::wstring cue_;
    std::optional<COLORREF> cueColor_;
};

// An item of a list box: the text as the program keeps it (ANSI bytes,
// whatever their length; the box shows them converted to Unicode) and a mark
// of the caller's own that goes where the item goes.
struct ListItem {
    std::string text;
    std::uint32_t tag = 0;
};

// Keeps its items in its own sort order; several may be selected at once.
// The texts live here, not in the box: reading one back never passes
// through the box's own text buffers.
class ListBox : public Control {
public:
    ListBox(TComponent* owner, HWND parent, int id, Bounds bounds, int itemHeight);
    void SetItemHeight(int height) const;
    void Clear();
    // Adds an item at its sorted place.
    void Add(ListItem item);
    // Replaces every item at once; fast for any number of items.
    void Assign(std::vector<ListItem> items);
    // Adds many items at once: one by one for a few, by the fast path for many.
    void AddMany(std::vector<ListItem> items);
    // Removes every selected item; fast for any number of items.
    void DeleteSelected();
    int Count() const;
    // The item at `index`; an empty one for an index out of range.
    const ListItem& At(int index) const;
    const std::string& Item(int index) const { return At(index).text; }
    std::vector<std::string> Items() const;
    std::vector<ListItem> AllItems() const;
    // Index of an item byte for byte equal to `text`, or -1. Letter case
    // counts: the blocker may compare paths case-sensitively.
    int FindExact(const std::string& text) const;
    void Select(int index, bool selected) const;
    void SelectAll() const;
    int SelectedCount() const;
    std::vector<std::string> SelectedItems() const;
    // Takes the mark `tag` off every item.
    void ClearTag(std::uint32_t tag);
    // Items marked `tag` are shown from now on with `suffix` after their
    // text, which the user sees and a screen reader reads; their text stays
    // as it is.
    void SetTagSuffix(std::uint32_t tag, std::string suffix);

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
    // The indexes of the selected items, in the box's order.
    std::vector<int> SelectedIndexes() const;
    // Where the item shown at `index` is kept.
    std::size_t SlotOf(int index) const;
    // The text the box shows for `item`.
    std::string Shown(const ListItem& item) const;
    // Index of an item shown as `shown` whose text is `text`, or -1.
    int FindShown(const std::string& shown, const std::string& text) const;
    // Shows `item` at `index` (-1: at the end, or at its sorted place when
    // `sorted`), keeping it here.
    void Show(ListItem item, int index, bool sorted);
    void Delete(int index);
    // Replaces every item with `items`, which are in the list's order already.
    void ReplaceInOrder(std::vector<ListItem> items);

    std::vector<ListItem> slots_;
    std::vector<std::size_t> freeSlots_;
    std::uint32_t suffixTag_ = 0;
    std::string suffix_;
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

// An area its parent draws (WM_DRAWITEM); its text is its name for screen
// readers.
class DrawnArea : public Control {
public:
    DrawnArea(TComponent* owner, HWND parent, int id, Bounds bounds, const std::string& name);
};

} // namespace stilvane
