// Blocked sites: any address gives no site or one that is a site (lower
// case, no credentials, within the lengths DNS allows); any stored text
// reads as records within their bounds that read back the same, and a block
// keeps them there.
#include "settings/blocked_site.h"
#include "settings/blocked_sites.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace stilvane;

namespace {

// A code page of the fuzzer's own: a byte from 0x80 on and the next make one
// character of the Basic Multilingual Plane; 0xFF is no character.
std::optional<std::wstring> ReadPairs(std::string_view bytes) {
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == 0xFF || (b >= 0x80 && i + 1 == bytes.size()))
            return std::nullopt;
        text += b < 0x80 ? b : (b & 0x7F) << 8 | static_cast<unsigned char>(bytes[++i]);
    }
    return text;
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string site = SiteOfAddress(bytes, ReadPairs);
    Check(site.empty() || IsSite(site));
    Check(site.size() <= kLongestHost + 2 &&
          site.find_first_of("@/\\?# ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::string::npos);

    BlockedSites sites{ParseRecentSites(bytes), ParseSiteCounts(bytes)};
    Check(sites.recent.size() <= kRecentSites && sites.counted.size() <= kCountedSites);
    Check(ParseRecentSites(FormatRecentSites(sites.recent)) == sites.recent);
    Check(ParseSiteCounts(FormatSiteCounts(sites.counted)) == sites.counted);
    for (const SiteCounts& counts : sites.counted)
        Check(IsSite(counts.site) && !counts.days.empty() && counts.days.size() <= kSiteDays);

    sites = WithBlock(std::move(sites), site, "2026-03-01");
    Check(sites.recent.size() <= kRecentSites && sites.counted.size() <= kCountedSites);
    Check(site.empty() ||
          (sites.recent.front() == site && SiteBlockedOn(sites, site, "2026-03-01") > 0));
    Check(TopSites(sites, "2026-03-01").size() <= kTopSites);
    return 0;
}
