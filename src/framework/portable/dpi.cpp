#include "framework/portable/dpi.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace stilvane {

int ClampDpi(int dpi) {
    return std::clamp(dpi, kMinDpi, kMaxDpi);
}

int MulDivRound(int value, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    const std::int64_t product = std::int64_t{value} * numerator;
    const std::int64_t magnitude =
        ((product < 0 ? -product : product) + std::abs(std::int64_t{denominator}) / 2) /
        std::abs(std::int64_t{denominator});
    const std::int64_t result = (product < 0) != (denominator < 0) ? -magnitude : magnitude;
    if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max())
        return -1;
    return static_cast<int>(result);
}

int ScaleToDpi(int value, int dpi) {
    return MulDivRound(value, ClampDpi(dpi), kBaseDpi);
}

int LargestFittingDpi(int dpi, PixelSize area, const std::function<PixelSize(int dpi)>& frameAt) {
    for (int candidate = ClampDpi(dpi); candidate > kMinDpi; --candidate) {
        const PixelSize frame = frameAt(candidate);
        if (frame.width <= area.width && frame.height <= area.height)
            return candidate;
    }
    return kMinDpi;
}

} // namespace stilvane
