// The exceptions editor's colours as Windows is set: the system's, or dark
// ones while apps run dark and high contrast is off. A change of the setting
// recolours the open editor at once.
#pragma once

#include "components/MarkupLabel.h"
#include "framework/gui/controls.h"
#include "framework/gui/list_box.h"
#include "ui/theme/window_colors.h"

#include <optional>

namespace stilvane {

class EditorTheme {
public:
    // Colours `window` and its controls as Windows is set now.
    EditorTheme(HWND window, TMarkupLabel& label, ListBox& list, Edit& edit, Control& bevel);
    EditorTheme(const EditorTheme&) = delete;
    EditorTheme& operator=(const EditorTheme&) = delete;

    ColorScheme Scheme() const { return Colors.Scheme(); }
    // Reads the settings anew and colours the window and its controls by them.
    void Update();
    // The label's text colour, which a new font for the label replaces.
    void ColorLabel();

    // A message of the window: a change of the settings; in dark colours
    // also the face, the controls' colours, the buttons and the separator.
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    WindowColors Colors;

private:
    void DrawBevel(const DRAWITEMSTRUCT& item) const;

    HWND window_;
    TMarkupLabel& label_;
    ListBox& list_;
    Edit& edit_;
    Control& bevel_;
};

} // namespace stilvane
