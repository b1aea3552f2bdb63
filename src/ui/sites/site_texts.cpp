#include "ui/sites/site_texts.h"

#include "framework/text.h"

namespace stilvane {

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
    const std::size_t head = room / 2;
    return FillIn(pattern, site.substr(0, head) + "..." + site.substr(site.size() - (room - head)));
}

} // namespace stilvane
