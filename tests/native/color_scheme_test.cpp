// The dark colours against each other, by the contrast ratio of the
// accessibility guidelines: 4.5:1 for text, 3:1 for outlines.
#include "ui/theme/color_scheme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

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

TEST(ColorScheme, DarkTextAndOutlinesStandOut) {
    using namespace dark;
    // The measure itself: black on white, and the lightest grey that passes on white.
    EXPECT_DOUBLE_EQ(ContrastRatio(0x000000, 0xFFFFFF), 21.0);
    EXPECT_NEAR(ContrastRatio(0x767676, 0xFFFFFF), 4.54, 0.01);
    const struct {
        TColor fore, back;
        double least;
    } pairs[] = {
        {kText, kFace, 4.5},           {kText, kField, 4.5},      {kCue, kField, 4.5},
        {kText, kButton, 4.5},         {kText, kButtonHot, 4.5},  {kText, kButtonPressed, 4.5},
        {kDisabledText, kButton, 4.5}, {kButtonBorder, kFace, 3}, {kBevelLight, kFace, 3},
        {kText, kButtonBorder, 3}}; // the focused outline against the plain one
    for (const auto& p : pairs)
        EXPECT_GE(ContrastRatio(p.fore, p.back), p.least) << std::hex << p.fore << " on " << p.back;
}

} // namespace
} // namespace stilvane
