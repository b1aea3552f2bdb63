#include "framework/controls.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace stilvane {

namespace {

// Stops a control from repainting while many items change; one repaint at
// the end.
class RedrawSuspended {
public:
    explicit RedrawSuspended(HWND window) : window_(window) {
        ::SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawSuspended() {
        ::SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
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

Control::Control(TComponent* owner, HWND parent, int id, const char* windowClass, DWORD style,
                 DWORD exStyle, Bounds bounds, const std::string& text)
    : TComponent(owner), id_(id) {
    Subclass(::CreateWindowExA(exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                               bounds.left, bounds.top, bounds.width, bounds.height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               ::GetModuleHandleA(nullptr), nullptr));
    ::SendMessageA(Handle(), WM_SETFONT, ::SendMessageA(parent, WM_GETFONT, 0, 0), FALSE);
}

Control* Control::FromHandle(HWND window) {
    return dynamic_cast<Control*>(Window::FromHandle(window));
}

std::string Control::Text() const {
    const int length = ::GetWindowTextLengthA(Handle());
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(Handle(), buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<std::size_t>(copied));
}

void Control::SetBounds(Bounds bounds) const {
    ::MoveWindow(Handle(), bounds.left, bounds.top, bounds.width, bounds.height, TRUE);
}

void Control::SetFont(HFONT font) const {
    ::SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Control::SetText(const std::string& text) const {
    ::SetWindowTextA(Handle(), text.c_str());
}

Button::Button(TComponent* owner, HWND parent, int id, Bounds bounds, const std::string& caption)
    : Control(owner, parent, id, "BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, bounds, caption) {}

void Button::Command(WORD notification) {
    if (notification == BN_CLICKED)
        Click();
}

Edit::Edit(TComponent* owner, HWND parent, int id, Bounds bounds)
    : Control(owner, parent, id, "EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, bounds,
              "") {}

void Edit::SetCueBanner(const std::string& text) const {
    const int size = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(size, 1)), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), size);
    ::SendMessageW(Handle(), EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
}

LRESULT Edit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        // Enter stays in the field instead of going to the dialog.
        if (OnEnter && wParam == VK_RETURN)
            return DefaultProc(message, wParam, lParam) | DLGC_WANTMESSAGE;
        break;
    case WM_KEYDOWN:
        if (OnEnter && wParam == VK_RETURN) {
            OnEnter(this);
            return 0;
        }
        break;
    case WM_CHAR:
        if (OnEnter && wParam == '\r')
            return 0; // no beep
        break;
    case WM_PASTE:
        if (OnPaste && OnPaste(this))
            return 0;
        break;
    }
    return Control::WindowProc(message, wParam, lParam);
}

ListBox::ListBox(TComponent* owner, HWND parent, int id, Bounds bounds, int itemHeight)
    : Control(owner, parent, id, "LISTBOX",
              WS_TABSTOP | WS_VSCROLL | LBS_SORT | LBS_EXTENDEDSEL | LBS_NOTIFY |
                  LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
              WS_EX_CLIENTEDGE, bounds, "") {
    SetItemHeight(itemHeight);
}

void ListBox::SetItemHeight(int height) const {
    ::SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, height);
}

void ListBox::Clear() const {
    ::SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
}

void ListBox::Add(const std::string& item) const {
    ::SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void ListBox::Assign(std::vector<std::string> items) const {
    // Adding to a sorted list box searches for each item's place, which for
    // many items takes seconds; put them in its order here instead and append.
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        keys.emplace_back(SortKey(items[i]), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> sorted;
    sorted.reserve(items.size());
    for (const auto& key : keys)
        sorted.push_back(std::move(items[key.second]));
    ReplaceInOrder(sorted);
}

void ListBox::ReplaceInOrder(const std::vector<std::string>& items) const {
    const RedrawSuspended quiet(Handle());
    Clear();
    std::size_t bytes = 0;
    for (const auto& item : items)
        bytes += item.size() + 1;
    ::SendMessageA(Handle(), LB_INITSTORAGE, items.size(), bytes);
    for (const auto& item : items)
        ::SendMessageA(Handle(), LB_INSERTSTRING, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(item.c_str()));
}

void ListBox::DeleteSelected() const {
    const int selectedCount = static_cast<int>(::SendMessageA(Handle(), LB_GETSELCOUNT, 0, 0));
    if (selectedCount <= 0)
        return;
    std::vector<int> selected(static_cast<std::size_t>(selectedCount));
    ::SendMessageA(Handle(), LB_GETSELITEMS, selectedCount,
                   reinterpret_cast<LPARAM>(selected.data()));
    // Each single removal moves every item behind it; past a few, building
    // the list anew from the kept items is far cheaper.
    constexpr int kRemoveOneByOne = 64;
    if (selectedCount <= kRemoveOneByOne) {
        const RedrawSuspended quiet(Handle());
        for (auto it = selected.rbegin(); it != selected.rend(); ++it)
            Delete(*it);
        return;
    }
    const int top = static_cast<int>(::SendMessageA(Handle(), LB_GETTOPINDEX, 0, 0));
    std::vector<std::string> kept;
    const int count = Count();
    kept.reserve(static_cast<std::size_t>(count - selectedCount));
    auto next = selected.begin();
    for (int i = 0; i < count; ++i) {
        if (next != selected.end() && *next == i)
            ++next;
        else
            kept.push_back(Item(i));
    }
    ReplaceInOrder(kept);
    ::SendMessageA(Handle(), LB_SETTOPINDEX, std::min(top, std::max(Count() - 1, 0)), 0);
}

int ListBox::Count() const {
    return static_cast<int>(::SendMessageA(Handle(), LB_GETCOUNT, 0, 0));
}

std::string ListBox::Item(int index) const {
    const LRESULT length = ::SendMessageA(Handle(), LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR)
        return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied =
        ::SendMessageA(Handle(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
}

std::vector<std::string> ListBox::Items() const {
    std::vector<std::string> items;
    const int count = Count();
    for (int i = 0; i < count; ++i)
        items.push_back(Item(i));
    return items;
}

int ListBox::FindExact(const std::string& text) const {
    // The list box's own search ignores case; it still finds every candidate
    // fast, and each is then compared byte for byte. The search wraps round
    // to the start when it passes the end.
    int first = -1;
    for (LRESULT index = LB_ERR;;) {
        index = ::SendMessageA(Handle(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(index),
                               reinterpret_cast<LPARAM>(text.c_str()));
        if (index == LB_ERR || index == first)
            return -1;
        if (first < 0)
            first = static_cast<int>(index);
        if (Item(static_cast<int>(index)) == text)
            return static_cast<int>(index);
    }
}

bool ListBox::Selected(int index) const {
    return ::SendMessageA(Handle(), LB_GETSEL, index, 0) > 0;
}

void ListBox::Select(int index, bool selected) const {
    ::SendMessageA(Handle(), LB_SETSEL, selected, index);
}

void ListBox::SelectAll() const {
    if (Count() > 0)
        ::SendMessageA(Handle(), LB_SELITEMRANGEEX, 0, Count() - 1);
}

int ListBox::SelectedCount() const {
    return std::max(static_cast<int>(::SendMessageA(Handle(), LB_GETSELCOUNT, 0, 0)), 0);
}

std::vector<std::string> ListBox::SelectedItems() const {
    const int selectedCount = SelectedCount();
    std::vector<int> selected(static_cast<std::size_t>(std::max(selectedCount, 0)));
    if (selectedCount > 0)
        ::SendMessageA(Handle(), LB_GETSELITEMS, selectedCount,
                       reinterpret_cast<LPARAM>(selected.data()));
    std::vector<std::string> items;
    items.reserve(selected.size());
    for (const int index : selected)
        items.push_back(Item(index));
    return items;
}

void ListBox::AddMany(const std::vector<std::string>& items) const {
    constexpr std::size_t kAddOneByOne = 64;
    if (items.size() <= kAddOneByOne) {
        for (const auto& item : items)
            Add(item);
        return;
    }
    std::vector<std::string> all = Items();
    all.insert(all.end(), items.begin(), items.end());
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
                    static_cast<int>(::SendMessageA(Handle(), LB_GETCARETINDEX, 0, 0));
                if (caret < 0 || ::SendMessageA(Handle(), LB_GETITEMRECT, caret,
                                                reinterpret_cast<LPARAM>(&item)) == LB_ERR)
                    item = {};
                at = {item.left + 8, item.bottom};
                ::ClientToScreen(Handle(), &at);
            }
            PopupMenu->Popup(Handle(), at.x, at.y);
            return 0;
        }
        break;
    }
    return Control::WindowProc(message, wParam, lParam);
}

void ListBox::Delete(int index) const {
    ::SendMessageA(Handle(), LB_DELETESTRING, index, 0);
}

Bevel::Bevel(TComponent* owner, HWND parent, Bounds bounds)
    : Control(owner, parent, 0, "STATIC", SS_ETCHEDHORZ, 0, bounds, "") {}

Label::Label(TComponent* owner, HWND parent, Bounds bounds, const std::string& text)
    : Control(owner, parent, 0, "STATIC", SS_LEFT, 0, bounds, text) {}

} // namespace stilvane
