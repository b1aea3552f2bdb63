#include "framework/gui/list_box.h"

#include "framework/gui/graphics.h"
#include "framework/portable/errors.h"
#include "framework/system/ansi_text.h"
#include "framework/system/system_error.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace stilvane {

namespace {

// Stops a control from repainting while many items change; one repaint at
// the end.
class RedrawSuspended {
public:
    explicit RedrawSuspended(HWND window) : window_(window) {
        ::SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawSuspended() {
        ::SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(window_, nullptr, TRUE);
    }
    RedrawSuspended(const RedrawSuspended&) = delete;
    RedrawSuspended& operator=(const RedrawSuspended&) = delete;

private:
    HWND window_;
};

// The key by which a sorted list box orders its items: case-insensitive in
// the user's locale. Keys compare as the strings do, but each is built once
// instead of at every comparison.
std::string SortKey(const std::string& text) {
    const int length = static_cast<int>(text.size());
    const int size = ::LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE,
                                    text.data(), length, nullptr, 0);
    std::string key(static_cast<std::size_t>(std::max(size, 0)), '\0');
    if (size > 0)
        ::LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, text.data(), length,
                       key.data(), size);
    return key;
}

} // namespace

// Widths of texts in a window's font: characters up to U+00FF from a table
// taken once, other texts measured whole (a list of thousands takes no
// longer to measure than to fill).
class TextWidths {
public:
    explicit TextWidths(HWND window) : dc_(window), font_(dc_.Get(), FontOf(window)) {
        table_ = ::GetCharWidth32W(dc_.Get(), 0, 255, widths_) != FALSE;
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc_.Get(), &metrics);
        margin_ = metrics.tmAveCharWidth;
    }
    // The width of `text` with room for the box's own margins.
    int Of(const std::wstring& text) const {
        long long width = 0;
        for (const wchar_t c : text) {
            if (!table_ || c > 255)
                return Measured(text);
            width += widths_[c];
        }
        return static_cast<int>(std::min<long long>(width + margin_, INT_MAX));
    }

private:
    int Measured(const std::wstring& text) const {
        SIZE size{};
        ::GetTextExtentPoint32W(dc_.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx + margin_;
    }

    WindowDC dc_;
    ScopedSelection font_;
    INT widths_[256] = {};
    bool table_ = false;
    int margin_ = 0;
};

ListBox::ListBox(TComponent* owner, HWND parent, int id, Bounds bounds, int itemHeight)
    : Control(owner, parent, id, L"LISTBOX",
              WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_SORT | LBS_EXTENDEDSEL | LBS_NOTIFY |
                  LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
              WS_EX_CLIENTEDGE, bounds, "") {
    SetItemHeight(itemHeight);
}

void ListBox::SetItemHeight(int height) const {
    ::SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, height);
}

void ListBox::Clear() {
    ::SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
    slots_.clear();
    freeSlots_.clear();
    SetWidest(0);
}

void ListBox::SetWidest(int width) {
    widest_ = width;
    ::SendMessageW(Handle(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
}

void ListBox::MeasureItems() {
    const TextWidths widths(Handle());
    int widest = 0;
    for (const ListItem& item : ItemsInAnyOrder())
        widest = std::max(widest, widths.Of(AnsiToWide(Shown(item))));
    SetWidest(widest);
}

std::string ListBox::Shown(const ListItem& item) const {
    return (item.tag & suffixTag_) ? item.text + suffix_ : item.text;
}

void ListBox::SetTagSuffix(std::uint32_t tag, std::string suffix) {
    suffixTag_ = tag;
    suffix_ = std::move(suffix);
}

void ListBox::Show(ListItem item, int index, bool sorted, TextWidths& widths) {
    const std::wstring shown = AnsiToWide(Shown(item));
    const LRESULT at =
        ::SendMessageW(Handle(), sorted ? LB_ADDSTRING : LB_INSERTSTRING,
                       static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(shown.c_str()));
    if (at < 0)
        throw EOSError(messages::SystemError(ERROR_NOT_ENOUGH_MEMORY,
                                             SystemErrorText(ERROR_NOT_ENOUGH_MEMORY)),
                       ERROR_NOT_ENOUGH_MEMORY);
    std::size_t slot = slots_.size();
    if (freeSlots_.empty()) {
        slots_.push_back(std::move(item));
    } else {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
        slots_[slot] = std::move(item);
    }
    ::SendMessageW(Handle(), LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(slot));
    if (const int width = widths.Of(shown); width > widest_)
        SetWidest(width);
}

void ListBox::Add(ListItem item) {
    TextWidths widths(Handle());
    Show(std::move(item), 0, true, widths);
}

std::size_t ListBox::SlotOf(int index) const {
    return static_cast<std::size_t>(::SendMessageW(Handle(), LB_GETITEMDATA, index, 0));
}

const ListItem& ListBox::At(int index) const {
    static const ListItem kNone;
    if (index < 0 || index >= Count())
        return kNone;
    const std::size_t slot = SlotOf(index);
    return slot < slots_.size() ? slots_[slot] : kNone;
}

void ListBox::Assign(std::vector<ListItem> items) {
    // Adding to a sorted list box searches for each item's place, which for
    // many items takes seconds; put them in its order here instead and append.
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        keys.emplace_back(SortKey(Shown(items[i])), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<ListItem> sorted;
    sorted.reserve(items.size());
    for (const auto& key : keys)
        sorted.push_back(std::move(items[key.second]));
    ReplaceInOrder(std::move(sorted));
}

void ListBox::ReplaceInOrder(std::vector<ListItem> items) {
    const RedrawSuspended quiet(Handle());
    Clear();
    std::size_t characters = 0;
    for (const auto& item : items)
        characters += item.text.size() + 1;
    ::SendMessageW(Handle(), LB_INITSTORAGE, items.size(), characters * sizeof(wchar_t));
    slots_.reserve(items.size());
    TextWidths widths(Handle());
    for (auto& item : items)
        Show(std::move(item), -1, false, widths);
}

std::vector<int> ListBox::SelectedIndexes() const {
    std::vector<int> selected(static_cast<std::size_t>(SelectedCount()));
    if (!selected.empty())
        ::SendMessageW(Handle(), LB_GETSELITEMS, selected.size(),
                       reinterpret_cast<LPARAM>(selected.data()));
    return selected;
}

void ListBox::DeleteSelected() {
    const std::vector<int> selected = SelectedIndexes();
    if (selected.empty())
        return;
    // Each single removal moves every item behind it; past a few, building
    // the list anew from the kept items is far cheaper.
    constexpr std::size_t kRemoveOneByOne = 64;
    if (selected.size() <= kRemoveOneByOne) {
        const RedrawSuspended quiet(Handle());
        for (auto it = selected.rbegin(); it != selected.rend(); ++it)
            Delete(*it);
        return;
    }
    const int top = static_cast<int>(::SendMessageW(Handle(), LB_GETTOPINDEX, 0, 0));
    std::vector<ListItem> kept;
    const int count = Count();
    kept.reserve(static_cast<std::size_t>(count) - selected.size());
    auto next = selected.begin();
    for (int i = 0; i < count; ++i) {
        if (next != selected.end() && *next == i)
            ++next;
        else
            kept.push_back(At(i));
    }
    ReplaceInOrder(std::move(kept));
    ::SendMessageW(Handle(), LB_SETTOPINDEX, std::min(top, std::max(Count() - 1, 0)), 0);
}

int ListBox::Count() const {
    return static_cast<int>(::SendMessageW(Handle(), LB_GETCOUNT, 0, 0));
}

std::vector<std::string> ListBox::Items() const {
    std::vector<std::string> items;
    const int count = Count();
    items.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        items.push_back(Item(i));
    return items;
}

std::vector<ListItem> ListBox::AllItems() const {
    std::vector<ListItem> items;
    const int count = Count();
    items.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        items.push_back(At(i));
    return items;
}

std::vector<ListItem> ListBox::ItemsInAnyOrder() const {
    std::vector<bool> free(slots_.size());
    for (const std::size_t slot : freeSlots_)
        free[slot] = true;
    std::vector<ListItem> items;
    items.reserve(slots_.size() - freeSlots_.size());
    for (std::size_t slot = 0; slot < slots_.size(); ++slot)
        if (!free[slot])
            items.push_back(slots_[slot]);
    return items;
}

int ListBox::FindExact(const std::string& text) const {
    const int plain = FindShown(text, text);
    return plain >= 0 || suffixTag_ == 0 ? plain : FindShown(text + suffix_, text);
}

int ListBox::FindShown(const std::string& shown, const std::string& text) const {
    // The list box's own search ignores case; it still finds every candidate
    // fast, and each is then compared byte for byte. The search wraps round
    // to the start when it passes the end.
    const std::wstring wide = AnsiToWide(shown);
    int first = -1;
    for (LRESULT index = LB_ERR;;) {
        index = ::SendMessageW(Handle(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(index),
                               reinterpret_cast<LPARAM>(wide.c_str()));
        if (index == LB_ERR || index == first)
            return -1;
        if (first < 0)
            first = static_cast<int>(index);
        if (Item(static_cast<int>(index)) == text)
            return static_cast<int>(index);
    }
}

void ListBox::Select(int index, bool selected) const {
    ::SendMessageW(Handle(), LB_SETSEL, selected, index);
}

void ListBox::SelectAll() const {
    if (Count() > 0)
        ::SendMessageW(Handle(), LB_SELITEMRANGEEX, 0, Count() - 1);
}

int ListBox::SelectedCount() const {
    return std::max(static_cast<int>(::SendMessageW(Handle(), LB_GETSELCOUNT, 0, 0)), 0);
}

std::vector<ListItem> ListBox::SelectedItems() const {
    std::vector<ListItem> items;
    for (const int index : SelectedIndexes())
        items.push_back(At(index));
    return items;
}

void ListBox::ClearTag(std::uint32_t tag) {
    for (ListItem& item : slots_)
        item.tag &= ~tag;
}

void ListBox::AddMany(std::vector<ListItem> items) {
    constexpr std::size_t kAddOneByOne = 64;
    if (items.size() <= kAddOneByOne) {
        for (auto& item : items)
            Add(std::move(item));
        return;
    }
    std::vector<ListItem> all = ItemsInAnyOrder();
    all.insert(all.end(), std::make_move_iterator(items.begin()),
               std::make_move_iterator(items.end()));
    Assign(std::move(all));
}

LRESULT ListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    auto raise = [this](const TNotifyEvent& handler) {
        if (handler)
            handler(this);
        return 0;
    };
    switch (message) {
    case WM_KEYDOWN: {
        // Asked only for keys: every item added is a message through here.
        const bool ctrl = ::GetKeyState(VK_CONTROL) < 0, shift = ::GetKeyState(VK_SHIFT) < 0;
        if (wParam == VK_DELETE && !ctrl && !shift)
            return raise(OnDeleteKey);
        if (ctrl && wParam == 'A') {
            SelectAll();
            return 0;
        }
        if ((ctrl && wParam == 'C') || (ctrl && wParam == VK_INSERT))
            return raise(OnCopy);
        if ((ctrl && wParam == 'V') || (shift && wParam == VK_INSERT))
            return raise(OnPaste);
        break;
    }
    case WM_CHAR:
        // The characters of Ctrl+A, Ctrl+C and Ctrl+V are no search letters.
        if (wParam < ' ')
            return 0;
        break;
    case WM_PASTE:
        return raise(OnPaste);
    case WM_COPY:
        return raise(OnCopy);
    case WM_CONTEXTMENU:
        if (PopupMenu) {
            POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (lParam == -1) {
                // From the keyboard: at the focused item, or the list's corner.
                RECT item{};
                const int caret =
                    static_cast<int>(::SendMessageW(Handle(), LB_GETCARETINDEX, 0, 0));
                if (caret < 0 || ::SendMessageW(Handle(), LB_GETITEMRECT, caret,
                                                reinterpret_cast<LPARAM>(&item)) == LB_ERR)
                    item = {};
                at = {item.left + 8, item.bottom};
                ::ClientToScreen(Handle(), &at);
            }
            PopupMenu->Popup(Handle(), at.x, at.y);
            return 0;
        }
        break;
    case WM_SETFONT: {
        // Another scale: the items take another width.
        const LRESULT result = Control::WindowProc(message, wParam, lParam);
        MeasureItems();
        return result;
    }
    }
    return Control::WindowProc(message, wParam, lParam);
}

void ListBox::Delete(int index) {
    const std::size_t slot = SlotOf(index);
    if (::SendMessageW(Handle(), LB_DELETESTRING, index, 0) == LB_ERR)
        return;
    if (slot < slots_.size()) {
        slots_[slot] = {};
        freeSlots_.push_back(slot);
    }
}

} // namespace stilvane
