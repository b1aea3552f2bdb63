#include "ui/statistics_chart.h"

#include <algorithm>
#include <numeric>

namespace stilvane {

std::array<ChartBar, kHistoryDays> ChartBars(const std::array<std::uint32_t, kHistoryDays>& days,
                                             int width, int height, int textHeight) {
    std::array<ChartBar, kHistoryDays> bars{};
    const std::uint32_t busiest = *std::max_element(days.begin(), days.end());
    const int baseline = height - textHeight - 2;               // the dates below it
    const int tallest = std::max(baseline - textHeight - 2, 1); // the counts above it
    const int pitch = std::max(width / kHistoryDays, 2);
    const int gap = std::max(pitch / 5, 1);
    const int left0 = width - pitch * kHistoryDays;
    for (int i = 0; i < kHistoryDays; ++i) {
        ChartBar& bar = bars[static_cast<std::size_t>(i)];
        bar.count = days[static_cast<std::size_t>(i)];
        bar.left = left0 + i * pitch + gap / 2;
        bar.right = bar.left + pitch - gap;
        bar.bottom = baseline;
        // Every day with a block shows at least a sliver.
        const int tall = busiest == 0
                             ? 0
                             : std::max(static_cast<int>(static_cast<std::uint64_t>(tallest) *
                                                         bar.count / busiest),
                                        bar.count > 0 ? 1 : 0);
        bar.top = baseline - tall;
        bar.dated = (kHistoryDays - 1 - i) % 7 == 0;
    }
    return bars;
}

std::uint64_t LastDaysTotal(const std::array<std::uint32_t, kHistoryDays>& days, int n) {
    return std::accumulate(days.end() - std::clamp(n, 0, kHistoryDays), days.end(),
                           std::uint64_t{0});
}

} // namespace stilvane
