// The sites popups were blocked on, as the controller's own key keeps them,
// on a scratch key.
#include "settings/marl_REG.h"
#include "settings/records/blocked_sites_store.h"
#include "settings/records/controller_state.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace stilvane {
namespace {

class SitesStore : public ::testing::Test {
protected:
    std::string Stored(const char* name) const {
        return ReadRegString(HKEY_CURRENT_USER, key.Path(), name);
    }

    testing::ScratchKey key;
    BlockedSitesStore store{HKEY_CURRENT_USER, key.Path()};
    ControllerState state{HKEY_CURRENT_USER, key.Path()};
};

TEST_F(SitesStore, BlocksAreStoredReadBackAndGoWithTheCount) {
    BlockedSites sites = store.Read();
    EXPECT_EQ(sites, BlockedSites{}); // no key at all
    for (const char* site : {"a.com", "b.com", "", "b.com"})
        store.Record(sites, site, "2026-03-01");
    EXPECT_EQ(Stored(kValueBlockedSites), "b.com\r\na.com\r\n");
    EXPECT_EQ(Stored(kValueBlockedSiteCounts), "b.com 2026-03-01:2\r\na.com 2026-03-01:1\r\n");
    EXPECT_EQ(store.Read(), sites);
    // The site that heads the list costs one write, the counts'.
    key.SetString(kValueBlockedSites, "b.com\na.com");
    store.Record(sites, "b.com", "2026-03-02");
    EXPECT_EQ(Stored(kValueBlockedSites), "b.com\na.com");
    EXPECT_EQ(store.Read().counted.front().days.size(), 2u);
    state.ForgetSites();
    EXPECT_EQ(store.Read(), BlockedSites{});
    store.Record(sites, "c.com", "2026-03-02");
    state.ResetCount();
    EXPECT_FALSE(key.Exists(kValueBlockedSites) || key.Exists(kValueBlockedSiteCounts));
}

TEST_F(SitesStore, ValuesOfEveryKindAndSizeReadAsNoneAndAreReplaced) {
    const std::string sound = "a.com 2026-03-01:1\r\n";
    const std::pair<DWORD, std::string> values[] = {
        {REG_DWORD, "\1\0\0"},
        {REG_EXPAND_SZ, sound},
        {REG_MULTI_SZ, sound + '\0'},
        {REG_SZ, std::string(300000, 'a')},
        {REG_SZ, "a.com 2026-02-30:1\r\nx.com 2026-03-01:1\r\n" + sound}}; // damaged: 2 lines kept
    for (const auto& [type, data] : values) {
        for (const char* name : {kValueBlockedSites, kValueBlockedSiteCounts})
            key.SetRaw(name, type, data.c_str(), static_cast<DWORD>(data.size() + 1)); // and a NUL
        BlockedSites sites = store.Read();
        EXPECT_EQ(sites.counted.size(), type == REG_SZ && data.size() < 100 ? 2u : 0u) << type;
        store.Record(sites, "b.com", "2026-03-01");
        EXPECT_EQ(store.Read(), sites) << type;
        EXPECT_EQ(Stored(kValueBlockedSites).substr(0, 7), "b.com\r\n") << type;
    }
}

} // namespace
} // namespace stilvane
