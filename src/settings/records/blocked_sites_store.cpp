#include "settings/records/blocked_sites_store.h"

#include "framework/portable/errors.h"
#include "framework/system/registry.h"
#include "settings/marl_REG.h"
#include "settings/records/controller_state.h"
#include "settings/site_rule/blocked_site.h"

namespace stilvane {

namespace {

// The longest texts a record can have: a longer value is no record of ours
// and is not read whole.
constexpr DWORD kLongestRecent = kRecentSites * (kLongestHost + 2) + 1;
constexpr DWORD kLongestCounts = kCountedSites * (kLongestHost + kSiteDays * 22 + 2) + 1;

// The text of a REG_SZ value of at most `longest` bytes, without its NUL;
// empty for anything else.
std::string TextOf(const RegistryKey& key, const char* name, DWORD longest) {
    std::optional<RegValue> value;
    try {
        value = key.Query(name, longest);
    } catch (const ERegistryException&) {
    }
    if (!value || value->type != REG_SZ || value->data.empty())
        return {};
    std::string text(value->data.begin(), value->data.end());
    if (text.back() == '\0')
        text.pop_back();
    return text;
}

} // namespace

BlockedSites BlockedSitesStore::Read() const {
    const auto key = RegistryKey::Open(root_, path_, kKeyReadRights);
    if (!key)
        return {};
    return {ParseRecentSites(TextOf(key, kValueBlockedSites, kLongestRecent)),
            ParseSiteCounts(TextOf(key, kValueBlockedSiteCounts, kLongestCounts))};
}

void BlockedSitesStore::Record(BlockedSites& sites, const std::string& site,
                               const std::string& today) const {
    BlockedSites after = WithBlock(sites, site, today);
    if (after == sites)
        return; // no site, or no day
    WriteRegString(root_, path_, kValueBlockedSiteCounts, FormatSiteCounts(after.counted));
    sites.counted = std::move(after.counted);
    if (after.recent != sites.recent) {
        WriteRegString(root_, path_, kValueBlockedSites, FormatRecentSites(after.recent));
        sites.recent = std::move(after.recent);
    }
}

} // namespace stilvane
