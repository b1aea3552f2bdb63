// The sites popups were blocked on, as the controller remembers them: the
// last few distinct sites, and each site's count for each of the last days,
// both bounded whatever the blocker reports. Each is kept as a registry
// value a person can read, one line per site:
//   recent:  "shop.example.com\r\nexample.org\r\n"            (newest first)
//   counts:  "shop.example.com 2026-11-09:3 2026-11-07:1\r\n" (days newest first)
// Platform-free; days are the local dates "YYYY-MM-DD" of block_count.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace stilvane {

constexpr std::size_t kRecentSites = 10;
constexpr std::size_t kCountedSites = 200;
constexpr std::size_t kTopSites = 5;
// The days a site's counts span, today included (as the history's).
constexpr int kSiteDays = 30;

struct SiteDay {
    std::int64_t day;    // days since 1970-01-01
    std::uint32_t count; // never 0
    bool operator==(const SiteDay&) const = default;
};

struct SiteCounts {
    std::string site;
    std::vector<SiteDay> days; // newest first, each day once, within kSiteDays
    bool operator==(const SiteCounts&) const = default;
};

struct BlockedSites {
    std::vector<std::string> recent; // newest first, each once, at most kRecentSites
    std::vector<SiteCounts> counted; // the last blocked first, at most kCountedSites
    bool operator==(const BlockedSites&) const = default;
};

struct SiteTotal {
    std::string site;
    std::uint32_t count;
    bool operator==(const SiteTotal&) const = default;
};

// The records as of `today`: days before the last kSiteDays go, and so do
// sites left without a day; days after today (a clock set back) count as
// today. A day text that is no date changes nothing.
BlockedSites SitesAsOf(BlockedSites sites, const std::string& today);

// The records after one more block on `site` on `today` (as of that day).
// When kCountedSites sites are counted already, a new site takes the place
// of the one blocked least in the kept days; of equal counts, the one last
// in the list, whose last block lies furthest back. Neither a text that is
// no site nor a day that is no date changes anything.
BlockedSites WithBlock(BlockedSites sites, const std::string& site, const std::string& today);

// The site's count today (days after today counting as today).
std::uint32_t SiteBlockedOn(const BlockedSites& sites, const std::string& site,
                            const std::string& today);

// The kTopSites sites blocked most in the last kSiteDays days, most first;
// of equal counts, the one blocked last first.
std::vector<SiteTotal> TopSites(const BlockedSites& sites, const std::string& today);

// The two values' texts and what they hold. Reading keeps every sound line
// and drops the rest: a line that is no site (or no site with its days, in
// order, each a real date with a count above 0, within kSiteDays), a site
// listed again, lines past the limit.
std::string FormatRecentSites(const std::vector<std::string>& recent);
std::vector<std::string> ParseRecentSites(std::string_view text);
std::string FormatSiteCounts(const std::vector<SiteCounts>& counted);
std::vector<SiteCounts> ParseSiteCounts(std::string_view text);

} // namespace stilvane
