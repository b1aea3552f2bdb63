// Where the exceptions editor's controls go in its window, which is sized
// and scaled as every window of the program's own (framework/gui/scaled_window.h).
// The layout is kept at 96 dpi.
#pragma once

#include "components/MarkupLabel.h"
#include "framework/gui/controls.h"
#include "framework/gui/list_box.h"
#include "framework/gui/scaled_window.h"

#include <windows.h>

namespace stilvane::editor_layout {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;

// The client area and the controls at 96 dpi. The name labels are for
// screen readers; the layout has no room to show them.
constexpr int kClientWidth = 400, kClientHeight = 360;
constexpr ScaledFrame kFrame{kStyle, kExStyle, {kClientWidth, kClientHeight}};
constexpr int kItemHeight = 13;
constexpr Bounds kLabel1{8, 8, 385, 54}, kListBox1{8, 68, 289, 209}, kButtonDelete{304, 68, 88, 29},
    kEdit1{8, 284, 289, 21}, kButtonAdd{304, 280, 88, 29}, kBevel1{4, 316, 392, 2},
    kButtonOk{304, 324, 88, 29}, kLabelExceptions{8, 68, 0, 0}, kLabelNewException{8, 284, 0, 0};

// The controls as Place puts them.
struct Controls {
    TMarkupLabel& label1;
    Control& labelExceptions;
    ListBox& listBox1;
    Control& buttonDelete;
    Control& labelNewException;
    Control& edit1;
    Control& buttonAdd;
    Control& bevel1;
    Control& buttonOk;
};

// Places and sizes the controls for `dpi` and gives them its font, which
// `scaled` keeps while they use it.
void Place(const Controls& controls, ScaledControls& scaled, int dpi);

} // namespace stilvane::editor_layout
