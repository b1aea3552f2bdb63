#include "ui/editor_theme.h"

#include <uxtheme.h>

#include <algorithm>

namespace stilvane {

namespace {

void Fill(HDC dc, const RECT& area, TColor color) {
    ::SetDCBrushColor(dc, color);
    ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
}

bool IsImmersiveColorSet(LPARAM text) {
    return text && ::lstrcmpiA(reinterpret_cast<const char*>(text), "ImmersiveColorSet") == 0;
}

} // namespace

EditorTheme::EditorTheme(HWND window, TMarkupLabel& label, ListBox& list, Edit& edit,
                         Control& bevel)
    : window_(window), label_(label), list_(list), edit_(edit), bevel_(bevel),
      face_(::CreateSolidBrush(dark::kFace)), field_(::CreateSolidBrush(dark::kField)) {
    Update();
}

void EditorTheme::Update() {
    scheme_ = ChooseColorScheme(Settings.highContrast(),
                                AppsUseLightTheme(Settings.root, Settings.personalizeKey));
    const bool dark = scheme_ == ColorScheme::Dark;
    SetDarkTitleBar(window_, dark);
    SetDarkMenus(dark);
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
    font.color = scheme_ == ColorScheme::Dark ? dark::kText : clWindowText;
    if (!(font == label_.Font()))
        label_.SetFont(std::move(font));
}

std::optional<LRESULT> EditorTheme::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTINGCHANGE:
        // The app mode changed, or high contrast went on or off.
        if (wParam == SPI_SETHIGHCONTRAST || IsImmersiveColorSet(lParam))
            Update();
        return std::nullopt;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        Update();
        return std::nullopt;
    }
    if (scheme_ != ColorScheme::Dark)
        return std::nullopt;
    switch (message) {
    case WM_ERASEBKGND: {
        // Also the label's background, which it takes from here.
        RECT client;
        ::GetClientRect(window_, &client);
        Fill(reinterpret_cast<HDC>(wParam), client, dark::kFace);
        return 1;
    }
    case WM_CTLCOLORSTATIC:
        // A read-only field asks as a label does.
        return ControlColors(reinterpret_cast<HDC>(wParam),
                             reinterpret_cast<HWND>(lParam) == edit_.Handle());
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return ControlColors(reinterpret_cast<HDC>(wParam), true);
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        const Control* button = Control::FromHandle(header.hwndFrom);
        if (header.code == NM_CUSTOMDRAW && dynamic_cast<const Button*>(button))
            return DrawButton(*button, *reinterpret_cast<const NMCUSTOMDRAW*>(lParam));
        break;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.hwndItem != bevel_.Handle())
            break;
        DrawBevel(item);
        return TRUE;
    }
    }
    return std::nullopt;
}

LRESULT EditorTheme::ControlColors(HDC dc, bool field) const {
    ::SetTextColor(dc, dark::kText);
    ::SetBkColor(dc, field ? dark::kField : dark::kFace);
    return reinterpret_cast<LRESULT>(field ? field_.Get() : face_.Get());
}

LRESULT EditorTheme::DrawButton(const Control& button, const NMCUSTOMDRAW& draw) const {
    if (draw.dwDrawStage != CDDS_PREPAINT)
        return CDRF_DODEFAULT;
    const HDC dc = draw.hdc;
    const UINT state = draw.uItemState;
    const bool focused = state & CDIS_FOCUS;
    // Access keys and the focus rectangle show as the keyboard's use asks.
    const auto hidden = ::SendMessageW(button.Handle(), WM_QUERYUISTATE, 0, 0);
    RECT area = draw.rc;
    // The outline, white with the focus, and the face inside it.
    Fill(dc, area, focused ? dark::kText : dark::kButtonBorder);
    ::InflateRect(&area, -1, -1);
    Fill(dc, area,
         (state & CDIS_SELECTED) ? dark::kButtonPressed
         : (state & CDIS_HOT)    ? dark::kButtonHot
                                 : dark::kButton);
    const HGDIOBJ font = ::SelectObject(
        dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(button.Handle(), WM_GETFONT, 0, 0)));
    ::SetTextColor(dc, (state & CDIS_DISABLED) ? dark::kDisabledText : dark::kText);
    ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextW(dc, button.WideText().c_str(), -1, &area,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE |
                    ((hidden & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0));
    ::SelectObject(dc, font);
    if (focused && !(hidden & UISF_HIDEFOCUS)) {
        ::InflateRect(&area, -2, -2);
        ::DrawFocusRect(dc, &area);
    }
    return CDRF_SKIPDEFAULT;
}

void EditorTheme::DrawBevel(const DRAWITEMSTRUCT& item) const {
    // Etched: a dark line over a light one.
    RECT line = item.rcItem;
    line.bottom = line.top + std::max<LONG>((line.bottom - line.top) / 2, 1);
    Fill(item.hDC, line, dark::kBevelShadow);
    line.top = line.bottom;
    line.bottom = item.rcItem.bottom;
    Fill(item.hDC, line, dark::kBevelLight);
}

} // namespace stilvane
