// Display scale arithmetic: sizes laid out for 96 pixels per inch, scaled to
// another density the way Windows scales them.
#pragma once

#include <functional>

namespace stilvane {

constexpr int kBaseDpi = 96;
// 100 % to 300 %: anything outside (a LogPixels of 0, a value from a broken
// setting) would leave the window unusably small or huge.
constexpr int kMinDpi = kBaseDpi, kMaxDpi = 3 * kBaseDpi;

// `dpi` held to kMinDpi..kMaxDpi.
int ClampDpi(int dpi);

// value * numerator / denominator rounded half away from zero, as MulDiv
// does; -1 when the denominator is 0 or the result does not fit.
int MulDivRound(int value, int numerator, int denominator);

// `value`, given at 96 dpi, scaled to `dpi` (clamped first).
int ScaleToDpi(int value, int dpi);

struct PixelSize {
    int width = 0, height = 0;
};

// The largest scale from `dpi` (clamped) down to kMinDpi at which a window
// whose outer size `frameAt` gives for a scale fits into `area`; kMinDpi
// when none does.
int LargestFittingDpi(int dpi, PixelSize area, const std::function<PixelSize(int dpi)>& frameAt);

} // namespace stilvane
