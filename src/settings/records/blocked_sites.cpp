#include "settings/records/blocked_sites.h"

#include "framework/portable/civil_time.h"
#include "framework/portable/text.h"
#include "settings/records/block_count.h"
#include "settings/records/block_history.h"
#include "settings/site_rule/blocked_site.h"

#include <algorithm>

namespace stilvane {

namespace {

std::uint64_t TotalOf(const SiteCounts& counts) {
    std::uint64_t total = 0;
    for (const SiteDay& day : counts.days)
        total += day.count;
    return total;
}

// A site's days as of `today`, in their order; false when none is left.
bool KeepDaysAsOf(std::vector<SiteDay>& days, std::int64_t today) {
    std::uint64_t onToday = 0;
    std::erase_if(days, [&](const SiteDay& day) {
        onToday += day.day >= today ? day.count : 0;
        return day.day >= today || day.day <= today - kSiteDays;
    });
    if (onToday > 0)
        days.insert(days.begin(), SiteDay{today, SaturatedCount(onToday)});
    return !days.empty();
}

template <class Counted> auto FindSite(Counted& counted, std::string_view site) {
    return std::find_if(counted.begin(), counted.end(),
                        [&](const SiteCounts& counts) { return counts.site == site; });
}

// One line of the counts' text: the site, then its days; nullopt for a line
// that is not exactly what FormatSiteCounts writes.
std::optional<SiteCounts> ParseCountsLine(std::string_view line) {
    const std::vector<std::string> fields = SplitLines(line, " ");
    if (fields.size() < 2 || fields.size() > kSiteDays + 1 || !IsSite(fields[0]) ||
        line.back() == ' ')
        return std::nullopt;
    SiteCounts counts{fields[0], {}};
    for (std::size_t i = 1; i < fields.size(); ++i) {
        const std::string& field = fields[i];
        const auto day = field.size() > 11 && field[10] == ':'
                             ? DayNumber(std::string_view(field).substr(0, 10))
                             : std::nullopt;
        const auto count = CountFromDigits(field.substr(std::min<std::size_t>(11, field.size())));
        if (!day || !count || *count == 0 ||
            (!counts.days.empty() &&
             (*day >= counts.days.back().day || counts.days.front().day - *day >= kSiteDays)))
            return std::nullopt;
        counts.days.push_back({*day, *count});
    }
    return counts;
}

} // namespace

BlockedSites SitesAsOf(BlockedSites sites, const std::string& today) {
    const auto day = DayNumber(today);
    if (!day)
        return sites;
    std::erase_if(sites.counted,
                  [&](SiteCounts& counts) { return !KeepDaysAsOf(counts.days, *day); });
    return sites;
}

BlockedSites WithBlock(BlockedSites sites, const std::string& site, const std::string& today) {
    const auto day = DayNumber(today);
    if (!day || !IsSite(site))
        return sites;
    sites = SitesAsOf(std::move(sites), today);

    auto& recent = sites.recent;
    recent.erase(std::remove(recent.begin(), recent.end(), site), recent.end());
    recent.insert(recent.begin(), site);
    if (recent.size() > kRecentSites)
        recent.resize(kRecentSites);

    auto& counted = sites.counted;
    SiteCounts counts{site, {}};
    if (const auto found = FindSite(counted, site); found != counted.end()) {
        counts = std::move(*found);
        counted.erase(found);
    }
    while (counted.size() >= kCountedSites) {
        // The least blocked; of equal ones, the last.
        auto least = counted.begin();
        for (auto it = counted.begin(); it != counted.end(); ++it)
            if (TotalOf(*it) <= TotalOf(*least))
                least = it;
        counted.erase(least);
    }
    if (!counts.days.empty() && counts.days.front().day == *day)
        counts.days.front().count = SaturatedCount(counts.days.front().count + 1ull);
    else
        counts.days.insert(counts.days.begin(), SiteDay{*day, 1});
    counted.insert(counted.begin(), std::move(counts));
    return sites;
}

std::uint32_t SiteBlockedOn(const BlockedSites& sites, const std::string& site,
                            const std::string& today) {
    const auto day = DayNumber(today);
    const auto found = FindSite(sites.counted, site);
    if (!day || found == sites.counted.end())
        return 0;
    std::uint64_t count = 0;
    for (const SiteDay& d : found->days)
        count += d.day >= *day ? d.count : 0;
    return SaturatedCount(count);
}

std::vector<SiteTotal> TopSites(const BlockedSites& sites, const std::string& today) {
    std::vector<SiteTotal> top;
    for (const SiteCounts& counts : SitesAsOf(sites, today).counted)
        top.push_back({counts.site, SaturatedCount(TotalOf(counts))});
    std::stable_sort(top.begin(), top.end(),
                     [](const SiteTotal& a, const SiteTotal& b) { return a.count > b.count; });
    if (top.size() > kTopSites)
        top.resize(kTopSites);
    return top;
}

std::string FormatRecentSites(const std::vector<std::string>& recent) {
    std::string text;
    for (const std::string& site : recent)
        text += site + "\r\n";
    return text;
}

std::vector<std::string> ParseRecentSites(std::string_view text) {
    std::vector<std::string> recent;
    for (std::string& line : SplitLines(text))
        if (recent.size() < kRecentSites && IsSite(line) &&
            std::find(recent.begin(), recent.end(), line) == recent.end())
            recent.push_back(std::move(line));
    return recent;
}

std::string FormatSiteCounts(const std::vector<SiteCounts>& counted) {
    std::string text;
    for (const SiteCounts& counts : counted) {
        text += counts.site;
        for (const SiteDay& day : counts.days)
            text += " " + DayTextOf(day.day) + ":" + std::to_string(day.count);
        text += "\r\n";
    }
    return text;
}

std::vector<SiteCounts> ParseSiteCounts(std::string_view text) {
    std::vector<SiteCounts> counted;
    for (const std::string& line : SplitLines(text)) {
        auto counts = line.empty() ? std::nullopt : ParseCountsLine(line);
        if (counts && counted.size() < kCountedSites &&
            FindSite(counted, counts->site) == counted.end())
            counted.push_back(std::move(*counts));
    }
    return counted;
}

} // namespace stilvane
