#include "framework/controls.h"

#include <vector>

namespace stilvane {

TWinControl::TWinControl(TComponent* owner, HWND parent, int id, const char* windowClass,
                         DWORD style, DWORD exStyle, TBounds bounds, const std::string& text)
    : TComponent(owner), id_(id) {
    window_.Reset(::CreateWindowExA(
        exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, bounds.left, bounds.top,
        bounds.width, bounds.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        ::GetModuleHandleA(nullptr), nullptr));
    ::SendMessageA(window_.Get(), WM_SETFONT, ::SendMessageA(parent, WM_GETFONT, 0, 0), FALSE);
}

std::string TWinControl::Text() const {
    const int length = ::GetWindowTextLengthA(window_.Get());
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(window_.Get(), buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<std::size_t>(copied));
}

void TWinControl::SetText(const std::string& text) const {
    ::SetWindowTextA(window_.Get(), text.c_str());
}

TButton::TButton(TComponent* owner, HWND parent, int id, TBounds bounds, const std::string& caption)
    : TWinControl(owner, parent, id, "BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, bounds, caption) {}

void TButton::Command(WORD notification) {
    if (notification == BN_CLICKED)
        Click();
}

TEdit::TEdit(TComponent* owner, HWND parent, int id, TBounds bounds)
    : TWinControl(owner, parent, id, "EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, bounds,
                  "") {}

TListBox::TListBox(TComponent* owner, HWND parent, int id, TBounds bounds, int itemHeight)
    : TWinControl(owner, parent, id, "LISTBOX",
                  WS_TABSTOP | WS_VSCROLL | LBS_SORT | LBS_EXTENDEDSEL | LBS_NOTIFY |
                      LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
                  WS_EX_CLIENTEDGE, bounds, "") {
    ::SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, itemHeight);
}

void TListBox::Clear() const {
    ::SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
}

void TListBox::Add(const std::string& item) const {
    ::SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int TListBox::Count() const {
    return static_cast<int>(::SendMessageA(Handle(), LB_GETCOUNT, 0, 0));
}

std::string TListBox::Item(int index) const {
    const LRESULT length = ::SendMessageA(Handle(), LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR)
        return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied =
        ::SendMessageA(Handle(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
}

std::vector<std::string> TListBox::Items() const {
    std::vector<std::string> items;
    const int count = Count();
    for (int i = 0; i < count; ++i)
        items.push_back(Item(i));
    return items;
}

int TListBox::FindExact(const std::string& text) const {
    const LRESULT index = ::SendMessageA(Handle(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(text.c_str()));
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

bool TListBox::Selected(int index) const {
    return ::SendMessageA(Handle(), LB_GETSEL, index, 0) > 0;
}

void TListBox::Select(int index, bool selected) const {
    ::SendMessageA(Handle(), LB_SETSEL, selected, index);
}

void TListBox::Delete(int index) const {
    ::SendMessageA(Handle(), LB_DELETESTRING, index, 0);
}

TBevel::TBevel(TComponent* owner, HWND parent, TBounds bounds)
    : TWinControl(owner, parent, 0, "STATIC", SS_ETCHEDHORZ, 0, bounds, "") {}

} // namespace stilvane
