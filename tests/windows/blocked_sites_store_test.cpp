// The sites popups were blocked on, as the controller's own key keeps them,
// on a scratch key.
#include "settings/blocked_sites_store.h"
#include "settings/controller_state.h"
#include "settings/marl_REG.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace stilvane {
namespace {

using testing::ScratchKey;

class SitesStore : public ::testing::Test {
protected:
    std::string Stored(const char* name) const {
        return ReadRegString(HKEY_CURRENT_USER, key.Path(), name);
    }

    ScratchKey key;
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
    const std::string sound = "a.com 2026-03-01:1\r\n", huge(300000, 'a');
    const DWORD dword = 1;
    struct Case {
        const char* name;
        DWORD type;
        std::string data;
        std::size_t kept; // sound lines of the counts
    } cases[] = {
        {"dword", REG_DWORD, std::string(reinterpret_cast<const char*>(&dword), 4), 0},
        {"binary", REG_BINARY, sound, 0},
        {"expandable", REG_EXPAND_SZ, sound + '\0', 0},
        {"several strings", REG_MULTI_SZ, sound + '\0' + '\0', 0},
        {"300 KB", REG_SZ, huge + '\0', 0},
        {"damaged", REG_SZ, "a.com 2026-02-30:1\r\nx.com 2026-03-01:1\r\n" + sound + '\0', 2},
    };
    for (const Case& c : cases) {
        for (const char* name : {kValueBlockedSites, kValueBlockedSiteCounts})
            key.SetRaw(name, c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
        BlockedSites sites = store.Read();
        EXPECT_EQ(sites.counted.size(), c.kept) << c.name;
        store.Record(sites, "b.com", "2026-03-01");
        DWORD type = REG_NONE;
        for (const char* name : {kValueBlockedSites, kValueBlockedSiteCounts})
            EXPECT_TRUE(key.Exists(name, &type) && type == REG_SZ) << c.name << " " << name;
        EXPECT_EQ(store.Read(), sites) << c.name;
    }
}

TEST_F(SitesStore, ManySitesKeepTheKeyBounded) {
    BlockedSites sites;
    for (int i = 0; i < 250; ++i)
        store.Record(sites, "site" + std::to_string(i) + ".example", "2026-03-01");
    EXPECT_EQ(store.Read().counted.size(), kCountedSites);
    EXPECT_EQ(store.Read().recent.size(), kRecentSites);
    std::printf("250 sites: recent list %zu bytes, counts %zu bytes\n",
                Stored(kValueBlockedSites).size(), Stored(kValueBlockedSiteCounts).size());
}

} // namespace
} // namespace stilvane
