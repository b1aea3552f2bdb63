#include "framework/dpi.h"

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

} // namespace
} // namespace stilvane
