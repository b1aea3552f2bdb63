// The bar chart of the last days in the statistics window, as positions in a
// chart area: a bar per day, today at the right, each as tall as its share
// of the busiest day, with room above for the day's count and below for the
// date under every seventh bar.
#pragma once

#include "settings/records/block_history.h"

#include <array>
#include <cstdint>

namespace stilvane {

struct ChartBar {
    int left, top, right, bottom; // in the chart area; top == bottom for 0
    std::uint32_t count;
    bool dated; // the date goes under this bar
};

// `textHeight` is the height of a row of text at the chart's scale.
std::array<ChartBar, kHistoryDays> ChartBars(const std::array<std::uint32_t, kHistoryDays>& days,
                                             int width, int height, int textHeight);

// Where a bar's count goes, above the bar, in the chart area.
struct ChartLabel {
    int left = 0, right = 0;
    bool shown = false; // false where it would run into another count
};

// The counts above the bars, `digitWidth` wide a digit (the figures of
// the fonts in use are all equally wide): today's and the busiest day's
// always (the busiest moved aside where it would run into today's), the
// others from the latest day back, each only where it keeps `gap` from
// those shown; none for a day without blocks.
std::array<ChartLabel, kHistoryDays> ChartLabels(const std::array<ChartBar, kHistoryDays>& bars,
                                                 int digitWidth, int chartWidth, int gap);

// The sum of the last `n` days (today included).
std::uint64_t LastDaysTotal(const std::array<std::uint32_t, kHistoryDays>& days, int n);

} // namespace stilvane
