#include "ui/editor/editor_layout.h"

#include "framework/ansi_text.h"
#include "framework/display_scale.h"
#include "framework/dpi.h"

#include <algorithm>

namespace stilvane::editor_layout {

namespace {

constexpr int kFontHeight = -11;

Bounds Scaled(Bounds bounds, int dpi) {
    return {ScaleToDpi(bounds.left, dpi), ScaleToDpi(bounds.top, dpi),
            ScaleToDpi(bounds.width, dpi), ScaleToDpi(bounds.height, dpi)};
}

} // namespace

namespace {

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

UniqueFont PlaceScaled(std::initializer_list<Placement> placements, int dpi) {
    UniqueFont font = CreateFontFrom(FontForDpi(dpi));
    for (const auto& [control, bounds] : placements) {
        control->SetBounds(Scaled(bounds, dpi));
        control->SetFont(font.Get());
    }
    return font;
}

UniqueFont Place(const Controls& controls, int dpi) {
    UniqueFont font = PlaceScaled({{&controls.listBox1, kListBox1},
                                   {&controls.buttonDelete, kButtonDelete},
                                   {&controls.edit1, kEdit1},
                                   {&controls.buttonAdd, kButtonAdd},
                                   {&controls.bevel1, kBevel1},
                                   {&controls.buttonOk, kButtonOk},
                                   {&controls.labelExceptions, kLabelExceptions},
                                   {&controls.labelNewException, kLabelNewException}},
                                  dpi);
    controls.listBox1.SetItemHeight(ScaleToDpi(kItemHeight, dpi));
    const Bounds label = Scaled(kLabel1, dpi);
    controls.label1.SetBounds(label.left, label.top, label.width, label.height);
    controls.label1.SetFont(FontForDpi(dpi));
    return font;
}

SIZE FrameSize(int dpi, int frameDpi) {
    return FrameSizeForDpi({ScaleToDpi(kClientWidth, dpi), ScaleToDpi(kClientHeight, dpi)}, kStyle,
                           kExStyle, frameDpi);
}

int FittingDpi(HWND window, int dpi) {
    const RECT area = WorkAreaOf(window);
    return LargestFittingDpi(dpi, {area.right - area.left, area.bottom - area.top}, [dpi](int d) {
        const SIZE frame = FrameSize(d, dpi);
        return PixelSize{frame.cx, frame.cy};
    });
}

void SizeClientFor(HWND window, int dpi, PixelSize client96) {
    RECT frame, client;
    ::GetWindowRect(window, &frame);
    ::GetClientRect(window, &client);
    const int width = frame.right - frame.left - client.right + ScaleToDpi(client96.width, dpi);
    const int height = frame.bottom - frame.top - client.bottom + ScaleToDpi(client96.height, dpi);
    ::SetWindowPos(window, nullptr, 0, 0, width, height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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

} // namespace stilvane::editor_layout
