#include "ui/statistics/statistics_chart.h"

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

std::array<ChartLabel, kHistoryDays> ChartLabels(const std::array<ChartBar, kHistoryDays>& bars,
                                                 int digitWidth, int chartWidth, int gap) {
    constexpr std::size_t today = kHistoryDays - 1;
    std::size_t busiest = today; // the latest of the busiest days
    for (std::size_t i = today; i-- > 0;)
        if (bars[i].count > bars[busiest].count)
            busiest = i;
    // Each count centred on its bar, within the chart.
    std::array<ChartLabel, kHistoryDays> labels{};
    for (std::size_t i = 0; i < kHistoryDays; ++i) {
        int width = digitWidth;
        for (std::uint32_t n = bars[i].count; n >= 10; n /= 10)
            width += digitWidth;
        labels[i].left = std::clamp((bars[i].left + bars[i].right - width) / 2, 0,
                                    std::max(chartWidth - width, 0));
        labels[i].right = labels[i].left + width;
    }
    ChartLabel& most = labels[busiest];
    if (busiest != today && bars[today].count > 0 && most.right + gap > labels[today].left) {
        const int width = most.right - most.left;
        most.left = std::max(labels[today].left - gap - width, 0);
        most.right = most.left + width;
    }
    // From today back: a count shows where it keeps `gap` from those shown
    // on its right and from the busiest day's.
    int free = chartWidth + gap;
    for (std::size_t i = kHistoryDays; i-- > 0;) {
        ChartLabel& label = labels[i];
        const bool apart =
            label.right + gap <= free && (i < busiest || label.left >= most.right + gap);
        label.shown = bars[i].count > 0 && (i == today || i == busiest || apart);
        if (label.shown)
            free = label.left;
    }
    return labels;
}

std::uint64_t LastDaysTotal(const std::array<std::uint32_t, kHistoryDays>& days, int n) {
    return std::accumulate(days.end() - std::clamp(n, 0, kHistoryDays), days.end(),
                           std::uint64_t{0});
}

} // namespace stilvane
