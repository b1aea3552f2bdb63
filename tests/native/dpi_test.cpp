#include "framework/portable/dpi.h"

#include <gtest/gtest.h>

#include <climits>

namespace stilvane {
namespace {

TEST(Dpi, ScalesAsWindowsRoundsAndHoldsTheScaleTo100To300Percent) {
    struct Case {
        int value, dpi, scaled;
    };
    for (const Case c :
         {Case{400, 96, 400}, Case{400, 120, 500}, Case{400, 144, 600}, Case{400, 192, 800},
          Case{-11, 96, -11}, Case{-11, 120, -14}, Case{-11, 144, -17}, Case{-11, 192, -22},
          Case{13, 120, 16}, Case{13, 144, 20}, Case{289, 120, 361}, Case{385, 168, 674},
          Case{16, 0, 16}, Case{16, 480, 48}, Case{16, INT_MAX, 48}})
        EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
}

TEST(Dpi, TheLargestScaleAtWhichTheWindowFitsTheWorkArea) {
    // A window 400 x 360 at 96 dpi with a frame of 16 and 39 pixels.
    const auto frameAt = [](int dpi) {
        return PixelSize{ScaleToDpi(400, dpi) + 16, ScaleToDpi(360, dpi) + 39};
    };
    struct Case {
        int dpi;
        PixelSize area;
        int fitting;
    } cases[] = {
        {144, {1920, 1040}, 144},                        // fits as it is
        {288, {1280, 984}, 252},                         // 1,280 x 1,024 with a taskbar, at 300 %
        {480, {1280, 984}, 252},                         // a broken scale is held to 300 % first
        {192, {800, 560}, 139},   {120, {300, 200}, 96}, // nothing fits: the smallest scale
        {96, {1920, 1040}, 96},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LargestFittingDpi(c.dpi, c.area, frameAt), c.fitting) << c.dpi;
}

} // namespace
} // namespace stilvane
