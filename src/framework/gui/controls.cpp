#include "framework/gui/controls.h"

#include "framework/gui/common_controls.h"
#include "framework/gui/graphics.h"
#include "framework/system/ansi_text.h"

#include <commctrl.h>

#include <algorithm>

namespace stilvane {

Control::Control(TComponent* owner, HWND parent, int id, const wchar_t* windowClass, DWORD style,
                 DWORD exStyle, Bounds bounds, const std::string& text)
    : TComponent(owner), id_(id) {
    // Before the first control: the manifest's version of its class.
    LoadCommonControls();
    Subclass(::CreateWindowExW(
        exStyle, windowClass, AnsiToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style, bounds.left,
        bounds.top, bounds.width, bounds.height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr));
    ::SendMessageW(Handle(), WM_SETFONT, ::SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
}

Control* Control::FromHandle(HWND window) {
    return dynamic_cast<Control*>(Window::FromHandle(window));
}

std::wstring Control::WideText() const {
    const int length = ::GetWindowTextLengthW(Handle());
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(std::max(::GetWindowTextW(Handle(), text.data(), length + 1), 0)));
    return text;
}

std::string Control::Text() const {
    return WideToAnsi(WideText());
}

void Control::SetBounds(Bounds bounds) const {
    ::MoveWindow(Handle(), bounds.left, bounds.top, bounds.width, bounds.height, TRUE);
}

void Control::SetFont(HFONT font) const {
    ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Control::SetText(const std::string& text) const {
    ::SetWindowTextW(Handle(), AnsiToWide(text).c_str());
}

Button::Button(TComponent* owner, HWND parent, int id, Bounds bounds, const std::string& caption)
    : Control(owner, parent, id, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, bounds, caption) {}

void Button::Command(WORD notification) {
    if (notification == BN_CLICKED)
        Click();
}

Edit::Edit(TComponent* owner, HWND parent, int id, Bounds bounds)
    : Control(owner, parent, id, L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, bounds,
              "") {}

void Edit::SetCueBanner(const std::string& text) {
    cue_ = AnsiToWide(text);
    ::SendMessageW(Handle(), EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(cue_.c_str()));
}

void Edit::SetCueColor(std::optional<COLORREF> color) {
    cueColor_ = color;
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void Edit::PaintCue() const {
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(Handle(), &paint);
    // On the field's own colour, as its parent gives it.
    const auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(::GetParent(Handle()), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(Handle())));
    RECT area;
    ::GetClientRect(Handle(), &area);
    ::FillRect(dc, &area, brush ? brush : ::GetSysColorBrush(COLOR_WINDOW));
    // Where the field puts its text.
    ::SendMessageW(Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    {
        const ScopedSelection font(dc, FontOf(Handle()));
        ::SetTextColor(dc, *cueColor_);
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawTextW(dc, cue_.c_str(), -1, &area, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    ::EndPaint(Handle(), &paint);
}

void Edit::SelectAll() const {
    ::SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void Edit::SetMaxLength(std::size_t characters) const {
    ::SendMessageW(Handle(), EM_SETLIMITTEXT, characters, 0);
}

LRESULT Edit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        // The hint shows while the field is empty and has no focus.
        if (cueColor_ && !cue_.empty() && ::GetWindowTextLengthW(Handle()) == 0 &&
            ::GetFocus() != Handle()) {
            PaintCue();
            return 0;
        }
        break;
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

Bevel::Bevel(TComponent* owner, HWND parent, Bounds bounds)
    : Control(owner, parent, 0, L"STATIC", SS_ETCHEDHORZ, 0, bounds, "") {}

Label::Label(TComponent* owner, HWND parent, Bounds bounds, const std::string& text)
    : Control(owner, parent, 0, L"STATIC", SS_LEFT, 0, bounds, text) {}

DrawnArea::DrawnArea(TComponent* owner, HWND parent, int id, Bounds bounds, const std::string& name)
    : Control(owner, parent, id, L"STATIC", SS_OWNERDRAW, 0, bounds, name) {}

} // namespace stilvane
