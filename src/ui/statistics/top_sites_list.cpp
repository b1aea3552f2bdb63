#include "ui/statistics/top_sites_list.h"

#include "framework/portable/dpi.h"
#include "settings/site_rule/blocked_site.h"
#include "ui/sites/site_texts.h"

namespace stilvane {

namespace {

constexpr int kRowHeight = 26, kButtonWidth = 80, kButtonHeight = 22, kTextHeight = 16;
// The longest a site is shown in a row, which would clip it (ShortSite).
constexpr std::size_t kLongestSiteInRow = 40;

Bounds Scaled(Bounds b, int dpi) {
    return {ScaleToDpi(b.left, dpi), ScaleToDpi(b.top, dpi), ScaleToDpi(b.width, dpi),
            ScaleToDpi(b.height, dpi)};
}

} // namespace

TopSitesList::TopSitesList(TComponent* owner, HWND window, int firstId, const LanguageTexts& texts)
    : TComponent(owner), texts_(texts) {
    Heading = std::make_unique<Label>(this, window, Bounds{}, texts_[TextKey::StatisticsTopSites]);
    for (std::size_t i = 0; i < kTopSites; ++i) {
        Rows[i] = std::make_unique<Label>(this, window, Bounds{}, "");
        Buttons[i] = std::make_unique<Button>(this, window, firstId + static_cast<int>(i), Bounds{},
                                              texts_[TextKey::ButtonAllow]);
        Buttons[i]->OnClick = [this, i](TComponent*) {
            if (OnAllow && i < figures_.sites.size())
                OnAllow(figures_.sites[i].site);
        };
    }
}

void TopSitesList::Place(int left, int top, int width, int dpi, HFONT font) const {
    const auto place = [dpi, font](const Control& control, Bounds bounds) {
        control.SetBounds(Scaled(bounds, dpi));
        control.SetFont(font);
    };
    place(*Heading, {left, top, width, kTextHeight});
    for (std::size_t i = 0; i < kTopSites; ++i) {
        const int row = top + 20 + static_cast<int>(i) * kRowHeight;
        place(*Rows[i], {left, row + 4, width - kButtonWidth - 8, kTextHeight});
        place(*Buttons[i], {left + width - kButtonWidth, row, kButtonWidth, kButtonHeight});
    }
}

void TopSitesList::Show(const TopSitesFigures& figures) {
    figures_ = figures;
    Heading->SetText(texts_[TextKey::StatisticsTopSites]);
    ::ShowWindow(Heading->Handle(), figures_.shown ? SW_SHOWNA : SW_HIDE);
    for (std::size_t i = 0; i < kTopSites; ++i) {
        const bool used = figures_.shown && i < figures_.sites.size();
        // An empty list says so in its first row, rather than leave a gap.
        const bool none = figures_.shown && figures_.sites.empty() && i == 0;
        if (none)
            Rows[i]->SetText(texts_[TextKey::SitesNone]);
        if (used) {
            const SiteTotal& total = figures_.sites[i];
            Rows[i]->SetText(Counted(texts_.language, texts_[CountedKey::StatisticsTopSite],
                                     total.count, ShortSite(total.site, kLongestSiteInRow)));
            Buttons[i]->SetText(texts_[TextKey::ButtonAllow]);
        }
        ::EnableWindow(Buttons[i]->Handle(),
                       figures_.allowable && (!used || MayAllow(figures_.sites[i].site)));
        ::ShowWindow(Rows[i]->Handle(), used || none ? SW_SHOWNA : SW_HIDE);
        ::ShowWindow(Buttons[i]->Handle(), used ? SW_SHOWNA : SW_HIDE);
    }
}

} // namespace stilvane
