// The program's own windows whose controls are laid out at 96 dpi: how such
// a window is sized for the display it is on and for a change of scale, and
// the one font of its controls at that scale. Each window states its frame
// and its controls' bounds; the rest is done here once for all of them.
#pragma once

#include "framework/gui/controls.h"
#include "framework/gui/graphics.h"
#include "framework/portable/dpi.h"
#include "framework/system/unique_handle.h"

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace stilvane {

// The program's text at `dpi`: "MS Sans Serif" -11 at 96 dpi (with the
// default character set, Windows takes a font of the system's script for
// it); at any other scale its outline version "Microsoft Sans Serif", as the
// bitmap font has no size that fits there, or on Japanese, Chinese and
// Korean systems the system's dialog font.
FontSpec FontForDpi(int dpi);

// A window's styles and its client area at 96 dpi.
struct ScaledFrame {
    DWORD style = 0;
    DWORD exStyle = 0;
    PixelSize client;

    // The outer size for a client laid out at `dpi`, with the frame the
    // system draws at `frameDpi` (its display's scale).
    SIZE SizeAt(int dpi, int frameDpi) const;
    // The display's scale, or a smaller one where the whole window would not
    // fit into its display's work area: no button may end up off the screen.
    int FittingDpi(HWND window, int dpi) const;
    // Sizes `window` so that its client area is the frame's at `dpi`, by the
    // frame it has now.
    void SizeClientFor(HWND window, int dpi) const;
    // Sizes a new `window` for the display it is on; the scale to lay out at.
    int FitToDisplay(HWND window) const;
    // WM_DPICHANGED: the size the system suggests, or where the window would
    // not fit the screen the largest scale that does, kept in the work area;
    // the scale to lay out at.
    int TakeDpiChange(HWND window, WPARAM wParam, LPARAM lParam) const;
};

// Moves the window into its display's work area, as far as it fits; or,
// `centred`, into the middle of it.
void PlaceInWorkArea(HWND window, bool centred);

// `bounds`, given at 96 dpi, scaled to `dpi`.
Bounds ScaledBounds(Bounds bounds, int dpi);

// A control and its bounds at 96 dpi.
using Placement = std::pair<const Control*, Bounds>;

// The controls of such a window, with the font they share. They go in the
// reverse order of their making, each child window destroyed once, by its
// control; the font goes after them, as no control uses it any more.
class ScaledControls {
public:
    ScaledControls() = default;
    ~ScaledControls();
    ScaledControls(const ScaledControls&) = delete;
    ScaledControls& operator=(const ScaledControls&) = delete;

    // Makes a control, or a part that works on controls, into `member`.
    template <typename T, typename... Args> T& Make(std::unique_ptr<T>& member, Args&&... args) {
        member = std::make_unique<T>(std::forward<Args>(args)...);
        made_.push_back([&member] { member.reset(); });
        return *member;
    }

    // Puts each control at its bounds scaled to `dpi` and gives it the font
    // for that scale; the old font goes once no control uses it any more.
    void Place(std::initializer_list<Placement> placements, int dpi);
    // Destroys the controls, as the destructor does, and lets go of their font.
    void Clear();
    // For WM_GETFONT: the font the controls take.
    HFONT Font() const { return font_.Get(); }
    // The scale last laid out at, held to 100 %..300 %.
    int Dpi() const { return dpi_; }

private:
    std::vector<std::function<void()>> made_;
    UniqueFont font_;
    int dpi_ = 0;
};

} // namespace stilvane
