#include "ui/editor/editor_theme.h"

#include <uxtheme.h>

#include <algorithm>

namespace stilvane {

EditorTheme::EditorTheme(HWND window, TMarkupLabel& label, ListBox& list, Edit& edit,
                         Control& bevel)
    : window_(window), label_(label), list_(list), edit_(edit), bevel_(bevel) {
    Update();
}

void EditorTheme::Update() {
    Colors.Update(window_);
    const bool dark = Colors.Dark();
    // The list's scroll bar dark where Windows has dark controls; elsewhere
    // the name is unknown and the usual look stays.
    ::SetWindowTheme(list_.Handle(), dark ? L"DarkMode_Explorer" : nullptr, nullptr);
    edit_.SetCueColor(dark ? std::optional<COLORREF>(dark::kCue) : std::nullopt);
    // The system draws an etched line in its own colours only: dark, the
    // editor draws it.
    const HWND bevel = bevel_.Handle();
    const LONG_PTR style = ::GetWindowLongPtrW(bevel, GWL_STYLE) & ~SS_TYPEMASK;
    ::SetWindowLongPtrW(bevel, GWL_STYLE, style | (dark ? SS_OWNERDRAW : SS_ETCHEDHORZ));
    ColorLabel();
    ::RedrawWindow(window_, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void EditorTheme::ColorLabel() {
    FontSpec font = label_.Font();
    font.color = Colors.Dark() ? dark::kText : clWindowText;
    if (!(font == label_.Font()))
        label_.SetFont(std::move(font));
}

std::optional<LRESULT> EditorTheme::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (WindowColors::IsColorChange(message, wParam, lParam)) {
        Update();
        return std::nullopt;
    }
    if (message == WM_DRAWITEM && Colors.Dark()) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.hwndItem == bevel_.Handle()) {
            DrawBevel(item);
            return TRUE;
        }
    }
    // A read-only field asks as a label does.
    return Colors.Paint(window_, message, wParam, lParam, edit_.Handle());
}

void EditorTheme::DrawBevel(const DRAWITEMSTRUCT& item) const {
    // Etched: a dark line over a light one.
    RECT line = item.rcItem;
    line.bottom = line.top + std::max<LONG>((line.bottom - line.top) / 2, 1);
    FillColor(item.hDC, line, dark::kBevelShadow);
    line.top = line.bottom;
    line.bottom = item.rcItem.bottom;
    FillColor(item.hDC, line, dark::kBevelLight);
}

} // namespace stilvane
