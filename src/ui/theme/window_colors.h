// A window's colours as Windows is set: the system's, or the program's dark
// ones while apps run dark and high contrast is off. The editor and the
// statistics window each keep one, and recolour themselves when it changes.
#pragma once

#include "framework/gui/controls.h"
#include "framework/system/unique_handle.h"
#include "ui/theme/color_scheme.h"
#include "ui/theme/dark_mode.h"

#include <commctrl.h>

#include <optional>

namespace stilvane {

class WindowColors {
public:
    WindowColors();
    WindowColors(const WindowColors&) = delete;
    WindowColors& operator=(const WindowColors&) = delete;

    ColorScheme Scheme() const { return scheme_; }
    bool Dark() const { return scheme_ == ColorScheme::Dark; }
    // Reads the settings anew; `window`'s title bar and the program's menus
    // follow them.
    void Update(HWND window);
    // The face and the text, for what the window draws itself.
    COLORREF Face() const;
    COLORREF Text() const;

    // Whether `message` tells of a change of the app mode, of high contrast
    // or of the system's colours.
    static bool IsColorChange(UINT message, WPARAM wParam, LPARAM lParam);
    // In dark colours, a message of `window` that paints: its face, its
    // labels' and fields' colours (`readOnlyField` asks as a label does) and
    // its push buttons. nullopt: the system paints as usual.
    std::optional<LRESULT> Paint(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 HWND readOnlyField = nullptr) const;

    // Where the colours are read from; tests put in their own.
    ColorSettings Settings;

private:
    LRESULT ControlColors(HDC dc, bool field) const;
    static LRESULT DrawButton(const Control& button, const NMCUSTOMDRAW& draw);

    ColorScheme scheme_ = ColorScheme::System;
    UniqueBrush face_;
    UniqueBrush field_;
};

// Fills `area` with `color`.
void FillColor(HDC dc, const RECT& area, COLORREF color);

} // namespace stilvane
