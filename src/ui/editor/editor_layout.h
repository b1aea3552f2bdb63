// Where the exceptions editor's controls go and in which font, for the scale
// of the display its window is on, and how that window is sized and placed
// so that all of it is on the screen. The layout is kept at 96 dpi.
#pragma once

#include "components/MarkupLabel.h"
#include "framework/controls.h"
#include "framework/dpi.h"
#include "framework/graphics.h"
#include "framework/list_box.h"

#include <windows.h>

#include <initializer_list>
#include <utility>

namespace stilvane::editor_layout {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;

// The client area and the controls at 96 dpi. The name labels are for
// screen readers; the layout has no room to show them.
constexpr int kClientWidth = 400, kClientHeight = 360;
constexpr int kItemHeight = 13;
constexpr Bounds kLabel1{8, 8, 385, 54}, kListBox1{8, 68, 289, 209}, kButtonDelete{304, 68, 88, 29},
    kEdit1{8, 284, 289, 21}, kButtonAdd{304, 280, 88, 29}, kBevel1{4, 316, 392, 2},
    kButtonOk{304, 324, 88, 29}, kLabelExceptions{8, 68, 0, 0}, kLabelNewException{8, 284, 0, 0};

// The editor's text at `dpi`: "MS Sans Serif" -11 at 96 dpi (with the default
// character set, Windows takes a font of the system's script for it); at any
// other scale its outline version "Microsoft Sans Serif", as the bitmap font
// has no size that fits there, or on Japanese, Chinese and Korean systems the
// system's dialog font.
FontSpec FontForDpi(int dpi);

// A control and its bounds at 96 dpi.
using Placement = std::pair<const Control*, Bounds>;

// Puts each control at its bounds scaled to `dpi` and gives it the font for
// that scale, which the caller keeps while they use it.
UniqueFont PlaceScaled(std::initializer_list<Placement> placements, int dpi);

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

// Places and sizes the controls for `dpi` and gives them its font, which the
// caller keeps while they use it.
UniqueFont Place(const Controls& controls, int dpi);

// The window's outer size for a client laid out at `dpi`, with the frame the
// system draws at `frameDpi` (its display's scale).
SIZE FrameSize(int dpi, int frameDpi);

// The display's scale, or a smaller one where the whole window would not fit
// into its display's work area: no button may end up off the screen.
int FittingDpi(HWND window, int dpi);

// Sizes the window so that its client area is `client` (at 96 dpi; the
// editor's unless given) at `dpi`, by the frame it has now.
void SizeClientFor(HWND window, int dpi, PixelSize client = {kClientWidth, kClientHeight});

// Moves the window into its display's work area, as far as it fits; or,
// `centred`, into the middle of it.
void PlaceInWorkArea(HWND window, bool centred);

} // namespace stilvane::editor_layout
