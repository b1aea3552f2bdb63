#include "framework/gui/scaled_window.h"

#include "framework/gui/display_scale.h"
#include "framework/system/ansi_text.h"

#include <algorithm>

namespace stilvane {

namespace {

constexpr int kFontHeight = -11;

// "Microsoft Sans Serif", which has no glyphs of Japanese, Chinese or Korean;
// on those systems the system's own dialog font, which has.
std::string OutlineFace() {
    switch (::GetACP()) {
    case 932:
    case 936:
    case 949:
    case 950: {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            if (std::string face = WideToAnsi(metrics.lfMessageFont.lfFaceName); !face.empty())
                return face;
        break;
    }
    }
    return "Microsoft Sans Serif";
}

} // namespace

FontSpec FontForDpi(int dpi) {
    FontSpec font; // "MS Sans Serif", -11: with the default character set
    if (ClampDpi(dpi) != kBaseDpi) {
        font.name = OutlineFace();
        font.height = ScaleToDpi(kFontHeight, dpi);
    }
    return font;
}

SIZE ScaledFrame::SizeAt(int dpi, int frameDpi) const {
    return FrameSizeForDpi({ScaleToDpi(client.width, dpi), ScaleToDpi(client.height, dpi)}, style,
                           exStyle, frameDpi);
}

int ScaledFrame::FittingDpi(HWND window, int dpi) const {
    const RECT area = WorkAreaOf(window);
    return LargestFittingDpi(dpi, {area.right - area.left, area.bottom - area.top},
                             [this, dpi](int d) {
                                 const SIZE frame = SizeAt(d, dpi);
                                 return PixelSize{frame.cx, frame.cy};
                             });
}

void ScaledFrame::SizeClientFor(HWND window, int dpi) const {
    RECT frame, area;
    ::GetWindowRect(window, &frame);
    ::GetClientRect(window, &area);
    const int width = frame.right - frame.left - area.right + ScaleToDpi(client.width, dpi);
    const int height = frame.bottom - frame.top - area.bottom + ScaleToDpi(client.height, dpi);
    ::SetWindowPos(window, nullptr, 0, 0, width, height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int ScaledFrame::FitToDisplay(HWND window) const {
    // The display may have another scale than the one it was made for.
    const int dpi = FittingDpi(window, DpiOfWindow(window));
    SizeClientFor(window, dpi);
    return dpi;
}

int ScaledFrame::TakeDpiChange(HWND window, WPARAM wParam, LPARAM lParam) const {
    // Moved to a display of another scale, or the scale changed.
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    ::SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    const int dpi = FittingDpi(window, LOWORD(wParam));
    if (dpi != ClampDpi(LOWORD(wParam)))
        SizeClientFor(window, dpi);
    PlaceInWorkArea(window, false);
    return dpi;
}

Bounds ScaledBounds(Bounds bounds, int dpi) {
    return {ScaleToDpi(bounds.left, dpi), ScaleToDpi(bounds.top, dpi),
            ScaleToDpi(bounds.width, dpi), ScaleToDpi(bounds.height, dpi)};
}

void PlaceInWorkArea(HWND window, bool centred) {
    const RECT area = WorkAreaOf(window);
    RECT frame;
    ::GetWindowRect(window, &frame);
    const LONG width = frame.right - frame.left, height = frame.bottom - frame.top;
    LONG left = frame.left, top = frame.top;
    if (centred) {
        left = area.left + (area.right - area.left - width) / 2;
        top = area.top + (area.bottom - area.top - height) / 2;
    }
    left = std::max<LONG>(area.left, std::min<LONG>(left, area.right - width));
    top = std::max<LONG>(area.top, std::min<LONG>(top, area.bottom - height));
    if (left != frame.left || top != frame.top)
        ::SetWindowPos(window, nullptr, left, top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

ScaledControls::~ScaledControls() {
    Clear();
}

void ScaledControls::Clear() {
    for (auto made = made_.rbegin(); made != made_.rend(); ++made)
        (*made)();
    made_.clear();
    font_.Reset();
}

void ScaledControls::Place(std::initializer_list<Placement> placements, int dpi) {
    dpi_ = ClampDpi(dpi);
    UniqueFont font = CreateFontFrom(FontForDpi(dpi_));
    for (const auto& [control, bounds] : placements) {
        control->SetBounds(ScaledBounds(bounds, dpi_));
        control->SetFont(font.Get());
    }
    font_ = std::move(font);
}

} // namespace stilvane
