// The sorted list box with extended selection of the exceptions editor.
#pragma once

#include "framework/gui/controls.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace stilvane {

class TextWidths;

// An item of a list box: the text as the program keeps it (ANSI bytes,
// whatever their length; the box shows them converted to Unicode), and a mark
// and the text it was made from (where that differs) of the caller's own,
// which go where the item goes.
struct ListItem {
    std::string text;
    std::uint32_t tag = 0;
    std::wstring original = {};
};

// Keeps its items in its own sort order; several may be selected at once.
// The texts live here, not in the box: reading one back never passes
// through the box's own text buffers. It scrolls sideways as far as its
// widest item reaches, in the font it has.
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
    // Every item in no particular order, as kept here: unlike the others,
    // which ask the box item by item, fast for any number.
    std::vector<ListItem> ItemsInAnyOrder() const;
    // Index of an item byte for byte equal to `text`, or -1. Letter case
    // counts: the blocker may compare paths case-sensitively.
    int FindExact(const std::string& text) const;
    void Select(int index, bool selected) const;
    void SelectAll() const;
    int SelectedCount() const;
    std::vector<ListItem> SelectedItems() const;
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
    // `sorted`), keeping it here; the sideways scroll reaches its end.
    void Show(ListItem item, int index, bool sorted, TextWidths& widths);
    // The sideways scroll for the widest item shown, measured anew.
    void MeasureItems();
    void SetWidest(int width);
    void Delete(int index);
    // Replaces every item with `items`, which are in the list's order already.
    void ReplaceInOrder(std::vector<ListItem> items);

    std::vector<ListItem> slots_;
    std::vector<std::size_t> freeSlots_;
    std::uint32_t suffixTag_ = 0;
    std::string suffix_;
    int widest_ = 0; // in pixels
};

} // namespace stilvane
