// The statistics window "Blocked popups": a bar chart of the last days,
// today at the right; today's count, the last seven days' and all; and
// Reset count. One window only: opening it again brings it forward, and it
// follows new blocks while it is open.
#pragma once

#include "framework/gui/controls.h"
#include "framework/gui/scaled_window.h"
#include "framework/gui/window.h"
#include "framework/portable/component.h"
#include "framework/system/unique_handle.h"
#include "settings/language/language_texts.h"
#include "settings/records/block_history.h"
#include "ui/statistics/statistics_chart.h"
#include "ui/statistics/top_sites_list.h"
#include "ui/theme/window_colors.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace stilvane {

// What the window shows.
struct BlockFigures {
    std::array<std::uint32_t, kHistoryDays> days{}; // oldest first, today last
    std::uint32_t total = 0;
    std::string today; // "YYYY-MM-DD"
    TopSitesFigures topSites;
};

class StatisticsWindow : public TComponent, public Window {
public:
    // `reset` clears every count once the user has agreed. The texts must
    // outlive the window.
    StatisticsWindow(TComponent* owner, const LanguageTexts& texts, std::function<void()> reset);
    ~StatisticsWindow() override;

    // Shows `figures`, the window in front; made at the first call.
    void Open(const BlockFigures& figures);
    // Shows `figures` when the window is open.
    void Update(const BlockFigures& figures);
    bool IsOpen() const;
    // The bars as last laid out, in the chart's coordinates, and their counts.
    const std::array<ChartBar, kHistoryDays>& Bars() const { return bars_; }
    const std::array<ChartLabel, kHistoryDays>& CountLabels() const { return labels_; }
    int Dpi() const { return scaled_.Dpi(); }

    void Button_ResetClick(TComponent* sender);
    void Button_CloseClick(TComponent* sender);
    // A site's Allow button in the list of sites.
    std::function<void(const std::string& site)> OnAllowSite;

    std::unique_ptr<Label> Label_Today;
    std::unique_ptr<Label> Label_Week;
    std::unique_ptr<Label> Label_Total;
    // Drawn by the window; its text names it for screen readers.
    std::unique_ptr<DrawnArea> Chart;
    std::unique_ptr<Button> Button_Reset;
    std::unique_ptr<Button> Button_Close;
    std::unique_ptr<TopSitesList> TopSites;
    // The editor's colours: the system's, or dark as Windows is set.
    WindowColors Colors;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Create();
    // The window and its controls destroyed, unless it is shown.
    void DestroyHidden();
    void Layout(int dpi);
    // The height the list of sites adds at 96 dpi, and the frame with it.
    int ListHeight() const;
    ScaledFrame Frame() const;
    void ShowFigures();
    void DrawChart(HDC dc, const RECT& area) const;

    const LanguageTexts& texts_;
    std::function<void()> reset_;
    BlockFigures figures_;
    std::array<ChartBar, kHistoryDays> bars_{};
    std::array<ChartLabel, kHistoryDays> labels_{};
    // Last: the controls go first, before the colours they are painted in.
    ScaledControls scaled_;
};

} // namespace stilvane
