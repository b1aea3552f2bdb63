// Any address gives no site or a site (lower case, no credentials, within the lengths DNS
// allows); any stored text reads as bounded records that, after a block, read back the same.
#include "settings/records/blocked_sites.h"
#include "settings/site_rule/blocked_site.h"
#include "ui/sites/site_texts.h"

#include <cstdint>
#include <cstdlib>

using namespace stilvane;

namespace {

// The fuzzer's own code page: a byte from 0x80 on and the next are one character; 0xFF none.
std::optional<std::wstring> ReadPairs(std::string_view bytes) {
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == 0xFF || (b >= 0x80 && ++i == bytes.size()))
            return std::nullopt;
        text += static_cast<wchar_t>(b < 0x80 ? b : (b & 0x7F) << 8 | (bytes[i] & 0xFF));
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
    Check((site.empty() || IsSite(site)) && site.size() <= kLongestHost + 2 &&
          site.find_first_of("@/\\?#% ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::string::npos);
    // Shown shortened, it keeps its end; as an entry, it covers itself.
    const std::string shown = ShortSite(site, 48);
    Check(shown.size() <= 48 &&
          (shown == site || site.ends_with(shown.substr(shown.rfind("...") + 3))));
    Check(site.empty() || CoveringEntry({site}, site, ReadPairs));

    const BlockedSites sites =
        WithBlock({ParseRecentSites(bytes), ParseSiteCounts(bytes)}, site, "2026-03-01");
    Check(sites.recent.size() <= kRecentSites && sites.counted.size() <= kCountedSites);
    Check(ParseRecentSites(FormatRecentSites(sites.recent)) == sites.recent &&
          ParseSiteCounts(FormatSiteCounts(sites.counted)) == sites.counted);
    Check(site.empty() ||
          (sites.recent.front() == site && SiteBlockedOn(sites, site, "2026-03-01") > 0));
    return 0;
}
