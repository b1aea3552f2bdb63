// The editor's dark colours against each other, by the contrast ratio of
// the accessibility guidelines.
#include "ui/color_scheme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace stilvane {
namespace {

double Luminance(TColor color) {
    double sum = 0;
    const double weights[] = {0.2126, 0.7152, 0.0722}; // red, green, blue
    for (int channel = 0; channel < 3; ++channel) {
        const double value = ((color >> (8 * channel)) & 0xFF) / 255.0;
        sum += weights[channel] *
               (value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4));
    }
    return sum;
}

// 1 (the same) to 21 (black on white).
double ContrastRatio(TColor first, TColor second) {
    const double a = Luminance(first), b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

TEST(ColorScheme, DarkTextStandsOutFourAndAHalfToOneAndOutlinesThreeToOne) {
    using namespace dark;
    const std::pair<TColor, TColor> text[] = {
        {kText, kFace},      {kText, kField},         {kCue, kField},          {kText, kButton},
        {kText, kButtonHot}, {kText, kButtonPressed}, {kDisabledText, kButton}};
    for (const auto& [fore, back] : text)
        EXPECT_GE(ContrastRatio(fore, back), 4.5) << std::hex << fore << " on " << back;
    for (const TColor outline : {kButtonBorder, kBevelLight})
        EXPECT_GE(ContrastRatio(outline, kFace), 3.0) << std::hex << outline;
    // The focused outline differs from the plain one.
    EXPECT_GE(ContrastRatio(kText, kButtonBorder), 3.0);
    // The measure: black on white 21:1, the lightest grey that passes on white.
    EXPECT_DOUBLE_EQ(ContrastRatio(0x000000, 0xFFFFFF), 21.0);
    EXPECT_NEAR(ContrastRatio(0x767676, 0xFFFFFF), 4.54, 0.01);
}

} // namespace
} // namespace stilvane
