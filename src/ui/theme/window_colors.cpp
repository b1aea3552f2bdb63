#include "ui/theme/window_colors.h"

#include "framework/gui/graphics.h"

namespace stilvane {

void FillColor(HDC dc, const RECT& area, COLORREF color) {
    ::SetDCBrushColor(dc, color);
    ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
}

WindowColors::WindowColors()
    : face_(::CreateSolidBrush(dark::kFace)), field_(::CreateSolidBrush(dark::kField)) {}

void WindowColors::Update(HWND window) {
    scheme_ = ChooseColorScheme(Settings.highContrast(),
                                AppsUseLightTheme(Settings.root, Settings.personalizeKey));
    SetDarkTitleBar(window, Dark());
    SetDarkMenus(Dark());
}

COLORREF WindowColors::Face() const {
    return Dark() ? dark::kFace : ::GetSysColor(COLOR_BTNFACE);
}

COLORREF WindowColors::Text() const {
    return Dark() ? dark::kText : ::GetSysColor(COLOR_WINDOWTEXT);
}

bool WindowColors::IsColorChange(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTINGCHANGE:
        return wParam == SPI_SETHIGHCONTRAST ||
               (lParam &&
                ::lstrcmpiA(reinterpret_cast<const char*>(lParam), "ImmersiveColorSet") == 0);
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        return true;
    }
    return false;
}

std::optional<LRESULT> WindowColors::Paint(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           HWND readOnlyField) const {
    if (!Dark())
        return std::nullopt;
    switch (message) {
    case WM_ERASEBKGND: {
        // Also the labels' background, which they take from here.
        RECT client;
        ::GetClientRect(window, &client);
        FillColor(reinterpret_cast<HDC>(wParam), client, dark::kFace);
        return 1;
    }
    case WM_CTLCOLORSTATIC:
        return ControlColors(reinterpret_cast<HDC>(wParam),
                             readOnlyField && reinterpret_cast<HWND>(lParam) == readOnlyField);
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
    }
    return std::nullopt;
}

LRESULT WindowColors::ControlColors(HDC dc, bool field) const {
    ::SetTextColor(dc, dark::kText);
    ::SetBkColor(dc, field ? dark::kField : dark::kFace);
    return reinterpret_cast<LRESULT>(field ? field_.Get() : face_.Get());
}

LRESULT WindowColors::DrawButton(const Control& button, const NMCUSTOMDRAW& draw) {
    if (draw.dwDrawStage != CDDS_PREPAINT)
        return CDRF_DODEFAULT;
    const HDC dc = draw.hdc;
    const UINT state = draw.uItemState;
    const bool focused = state & CDIS_FOCUS;
    // Access keys and the focus rectangle show as the keyboard's use asks.
    const auto hidden = ::SendMessageW(button.Handle(), WM_QUERYUISTATE, 0, 0);
    RECT area = draw.rc;
    // The outline, white with the focus, and the face inside it.
    FillColor(dc, area, focused ? dark::kText : dark::kButtonBorder);
    ::InflateRect(&area, -1, -1);
    FillColor(dc, area,
              (state & CDIS_SELECTED) ? dark::kButtonPressed
              : (state & CDIS_HOT)    ? dark::kButtonHot
                                      : dark::kButton);
    {
        const ScopedSelection font(dc, FontOf(button.Handle()));
        ::SetTextColor(dc, (state & CDIS_DISABLED) ? dark::kDisabledText : dark::kText);
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawTextW(dc, button.WideText().c_str(), -1, &area,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE |
                        ((hidden & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0));
    }
    if (focused && !(hidden & UISF_HIDEFOCUS)) {
        ::InflateRect(&area, -2, -2);
        ::DrawFocusRect(dc, &area);
    }
    return CDRF_SKIPDEFAULT;
}

} // namespace stilvane
