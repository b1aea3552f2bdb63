#include "ui/sites/site_texts.h"

#include "framework/portable/text.h"
#include "settings/site_rule/public_suffix.h"

#include <algorithm>

namespace stilvane {

std::string ShortSite(const std::string& site, std::size_t longest) {
    constexpr std::size_t kEllipsis = 3;
    if (site.size() <= longest)
        return site;
    const std::size_t room = longest > kEllipsis ? longest - kEllipsis : 0;
    // The end takes the registrable domain, or half the room when that is
    // more; never more than the room.
    const std::size_t domain = RegistrableDomain(site).size();
    const std::size_t tail = std::min(std::max(domain, room - room / 2), room);
    return site.substr(0, room - tail) + "..." + site.substr(site.size() - tail);
}

std::string FittedSiteText(const std::string& pattern, const std::string& site,
                           std::size_t longest) {
    std::string text = FillIn(pattern, site);
    if (text.size() <= longest || site.empty())
        return text;
    // The site may stand in the text more than once: each gets its share.
    // Its start and its end stay, the end naming the domain it belongs to.
    constexpr std::size_t kEllipsis = 3;
    const std::size_t rest = FillIn(pattern, {}).size();
    const std::size_t times = (text.size() - rest) / site.size();
    const std::size_t room =
        longest > rest + times * kEllipsis ? (longest - rest) / times - kEllipsis : 0;
    return FillIn(pattern, ShortSite(site, room + kEllipsis));
}

} // namespace stilvane
