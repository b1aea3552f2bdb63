// The statistics window's list of the sites blocked most in the last days:
// a heading and a row per site with its count and a button that allows it.
#pragma once

#include "framework/gui/controls.h"
#include "framework/portable/component.h"
#include "settings/language/language_texts.h"
#include "settings/records/blocked_sites.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace stilvane {

// What the list shows: the sites, and whether they may be allowed.
struct TopSitesFigures {
    bool shown = false; // hidden while sites are not recorded
    bool allowable = true;
    std::vector<SiteTotal> sites;
};

class TopSitesList : public TComponent {
public:
    // The list's height at 96 dpi.
    static constexpr int kHeight = 20 + static_cast<int>(kTopSites) * 26;

    // The controls go into `window`, their ids from `firstId` on. The texts
    // must outlive the list.
    TopSitesList(TComponent* owner, HWND window, int firstId, const LanguageTexts& texts);

    // Puts the list at `left`, `top`, `width` (96-dpi units) scaled to `dpi`.
    void Place(int left, int top, int width, int dpi, HFONT font) const;
    void Show(const TopSitesFigures& figures);
    const std::vector<SiteTotal>& Sites() const { return figures_.sites; }

    // Called with the site of the row whose button was pressed.
    std::function<void(const std::string& site)> OnAllow;

    std::unique_ptr<Label> Heading;
    std::array<std::unique_ptr<Label>, kTopSites> Rows;
    std::array<std::unique_ptr<Button>, kTopSites> Buttons;

private:
    const LanguageTexts& texts_;
    TopSitesFigures figures_;
};

} // namespace stilvane
