// The site of a blocked popup's address, the records of the sites, which
// entries already allow one, and how often the user is told.
#include "framework/civil_time.h"
#include "framework/text.h"
#include "settings/blocked_site.h"
#include "settings/blocked_sites.h"
#include "settings/notification_pace.h"
#include "settings/punycode.h"

#include <gtest/gtest.h>

namespace stilvane {
namespace {

// The tests' code page: UTF-8, so that a stray byte is no character.
std::optional<std::wstring> ReadUtf8(std::string_view bytes) {
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const int more = b < 0x80   ? 0
                         : b < 0xC2 ? -1
                         : b < 0xE0 ? 1
                         : b < 0xF0 ? 2
                         : b < 0xF5 ? 3
                                    : -1;
        if (more < 0 || i + more >= bytes.size() + (more ? 0 : 1))
            return std::nullopt;
        char32_t c = more ? b & (0x3F >> more) : b;
        for (const std::size_t end = i + more; i < end;) {
            if ((bytes[++i] & 0xC0) != 0x80)
                return std::nullopt;
            c = c << 6 | (bytes[i] & 0x3F);
        }
        text += static_cast<wchar_t>(c);
    }
    return text;
}

TEST(BlockedSite, AddressesGiveTheirHostAsTheSite) {
    const std::string label63(63, 'a'),
        host253 = label63 + "." + label63 + "." + label63 + ".b" + std::string(60, 'c');
    std::string umlauts; // 60 u-umlauts: a label of 66 characters in its "xn--" form
    for (int i = 0; i < 60; ++i)
        umlauts += "\xC3\xBC";
    struct Case {
        std::string address, site; // empty site: a block without a site
    } cases[] = {
        {"http://shop.example.com/", "shop.example.com"},
        {"HTTPS://WWW.Example.COM:8443/a/b?q=1#top", "example.com"},
        {"ftp://files.example.org", "files.example.org"},
        {"http://user:pw@host.example/", "host.example"},
        {"http://user:p@ss@host.example:81/", "host.example"}, // the last "@" ends them
        {"http://evil.example\\@good.example/", "evil.example"},
        {"http://good.example?@evil.example/", "good.example"},
        {"http://example.com./", "example.com"},
        {"  http://example.com:/\r\n", "example.com"},
        {"http://www.com/", "www.com"},
        {"http://www.www.example/", "www.example"},
        {"http://[::1]:8080/", "[::1]"},
        {"http://[FE80::1%25eth0]/", ""},
        {"http://[FE80::A:1.2.3.4]/", "[fe80::a:1.2.3.4]"},
        {"http://192.168.0.1:80/x", "192.168.0.1"},
        {"http://b\xC3\xBC\x63her.DE/", "xn--bcher-kva.de"},
        {"http://B\xC3\x9C\x43HER.de/", "xn--bcher-kva.de"},
        {"http://Xn--Bcher-KVA.de/", "xn--bcher-kva.de"},
        {"http://\xD0\x9F\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.\xD1\x80\xD1\x84/",
         "xn--e1afmkfd.xn--p1ai"},
        {"http://\xE4\xBE\x8B\xE3\x81\x88.\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88/",
         "xn--r8jz45g.xn--zckzah"},
        {"http://\xE4\xB8\xAD\xE5\x9B\xBD\xE3\x80\x82\xED\x95\x9C\xEA\xB5\xAD/",
         "xn--fiqs8s.xn--3e0b707e"},
        {"http://\xEF\xBC\xA5\xEF\xBD\x98.com/", "ex.com"}, // full-width letters
        {"http://\xC4\xB0stanbul.tr/", "xn--istanbul-o0e.tr"},
        {"http://fa\xC3\x9F.de/", "xn--fa-hia.de"},
        {"http://" + host253 + "/", host253},
        {"http://" + host253 + "d/", ""},
        {"http://" + label63 + "a.com/", ""},
        {"http://" + umlauts + ".de", ""},
        {"http://a.com/" + std::string(2070, 'x'), "a.com"},
        {"http://a.com/" + std::string(2071, 'x'), ""},
        {std::string("http://a.com\0/", 14), ""},
        {"http://b\xFC\x63her.de/", ""}, // no UTF-8
        {"http://a.com/\xFF", ""},
        {"", ""},
        {"http://a\xC2\xA0\x62.com/", ""},
        {"http://\xE2\x82\xAC.com/", ""},
    };
    for (const Case& c : cases) {
        const std::string site = SiteOfAddress(c.address, ReadUtf8);
        EXPECT_EQ(site, c.site) << c.address.substr(0, 80);
        EXPECT_EQ(IsSite(site), !site.empty()) << site;
    }
    const char* noSite[] = {"about:blank",       "javascript:alert(1)", "data:text/html,x",
                            "C:\\pages\\a.html", "file:///C:/a.html",   "mailto:a@b.example",
                            "http://",           "http:///a.com",       "http:a.com",
                            "http://user:pw@/",  "http://exa mple.com", "http://ex%61mple.com",
                            "http://a..com",     "http://a.com../",     "http://a.com:65536/",
                            "http://a.com:8o/",  "http://[::1/",        "http://[::g]/",
                            "http://[]/",        "http://[::1]x/",      "httpx://a.com/",
                            "ttp://a.com/"};
    for (const char* address : noSite)
        EXPECT_EQ(SiteOfAddress(address, ReadUtf8), "") << address;
    for (const char* text : {"www.example.com", "a.com:80", "A.com", "a.com.", "u@a.com", "a.com/"})
        EXPECT_FALSE(IsSite(text)) << text;
}

TEST(BlockedSite, PunycodeOfTheStandardsSamples) {
    EXPECT_EQ(PunycodeOf(L"\u0644\u064A\u0647\u0645\u0627\u0628\u062A\u0643\u0644\u0645\u0648"
                         L"\u0634\u0639\u0631\u0628\u064A\u061F"),
              "egbpdaj6bu4bxfgehfvwxn");
    EXPECT_EQ(PunycodeOf(L"\u4ED6\u4EEC\u4E3A\u4EC0\u4E48\u4E0D\u8BF4\u4E2D\u6587"),
              "ihqwcrb4cv8a8dqg056pqjye");
    EXPECT_EQ(PunycodeOf(L"3\u5E74B\u7D44\u91D1\u516B\u5148\u751F"), "3B-ww4c5e180e575a65lsy2b");
    EXPECT_EQ(PunycodeOf(L"-> $1.00 <-"), "-> $1.00 <--");
}

TEST(BlockedSite, AnEntryCoversASiteItHoldsWholeOrEndsWithWholeLabels) {
    struct Case {
        std::vector<std::string> entries;
        const char* site;
        std::optional<std::string> covering;
    } cases[] = {
        {{"x.org", "shop.example.com"}, "shop.example.com", "shop.example.com"},
        {{"HTTP://Shop.Example.com/"}, "shop.example.com", "HTTP://Shop.Example.com/"},
        {{"example.com"}, "shop.example.com", "example.com"},
        {{" .example.com\t"}, "shop.example.com", " .example.com\t"},
        {{"le.com", "myshop.example.com", "shop.example.com.evil", "www.shop.example.com"},
         "shop.example.com",
         std::nullopt},
        {{"", " "}, "a.com", std::nullopt},
        {{"http://[::1]:8080/"}, "[::1]", "http://[::1]:8080/"},
        {{}, "a.com", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CoveringEntry(c.entries, c.site), c.covering) << c.site;
}

BlockedSites Blocks(std::initializer_list<std::pair<const char*, const char*>> blocks,
                    BlockedSites sites = {}) {
    for (const auto& [site, day] : blocks)
        sites = WithBlock(std::move(sites), site, day);
    return sites;
}

TEST(BlockedSites, RecentSitesCountsAndTheTopFive) {
    BlockedSites sites = Blocks({{"a.com", "2026-03-01"},
                                 {"b.com", "2026-03-02"},
                                 {"a.com", "2026-03-02"},
                                 {"a.com", "2026-03-02"},
                                 {"c.com", "2026-03-02"},
                                 {"no site", "2026-03-02"},
                                 {"d.com", "2026-02-30"}});
    EXPECT_EQ(sites.recent, (std::vector<std::string>{"c.com", "a.com", "b.com"}));
    EXPECT_EQ(SiteBlockedOn(sites, "a.com", "2026-03-02"), 2u);
    EXPECT_EQ(SiteBlockedOn(sites, "a.com", "2026-03-03"), 0u);
    EXPECT_EQ(TopSites(sites, "2026-03-02"),
              (std::vector<SiteTotal>{{"a.com", 3}, {"c.com", 1}, {"b.com", 1}}));
    // 30 days later the first day's block is gone; 31, everything.
    EXPECT_EQ(TopSites(sites, "2026-03-31").front(), (SiteTotal{"a.com", 2}));
    EXPECT_TRUE(TopSites(sites, "2026-04-01").empty());
    EXPECT_EQ(sites.recent, SitesAsOf(sites, "2026-04-01").recent);
    // Days after today (a clock set back) count as today.
    EXPECT_EQ(SiteBlockedOn(sites, "a.com", "2026-02-20"), 3u);
    EXPECT_EQ(Blocks({{"a.com", "2026-02-20"}}, sites).counted.front().days,
              (std::vector<SiteDay>{{*DayNumber("2026-02-20"), 4}}));
    for (int i = 0; i < 12; ++i)
        sites = WithBlock(std::move(sites), "s" + std::to_string(i) + ".com", "2026-03-03");
    EXPECT_EQ(sites.recent.size(), kRecentSites);
    EXPECT_EQ(sites.recent.front(), "s11.com");
    EXPECT_EQ(TopSites(sites, "2026-03-03").size(), kTopSites);
}

TEST(BlockedSites, AFullTableLosesTheLeastBlockedAndStaysBounded) {
    BlockedSites sites = Blocks({{"kept.com", "2026-03-01"}, {"kept.com", "2026-03-01"}});
    for (int i = 0; i < 2000; ++i) // ten times as many as are kept
        sites = WithBlock(std::move(sites), "h" + std::to_string(i) + ".example", "2026-03-01");
    EXPECT_EQ(sites.counted.size(), kCountedSites);
    EXPECT_EQ(sites.counted.back().site, "kept.com");
    // Of the sites blocked once, the one blocked first goes first.
    EXPECT_EQ(sites.counted[kCountedSites - 2].site, "h1801.example");
    EXPECT_LT(FormatSiteCounts(sites.counted).size(), 10000u);
}

TEST(BlockedSites, RecordsReadBackAndDamagedLinesAreDropped) {
    const BlockedSites sites = Blocks({{"a.com", "2026-01-01"},
                                       {"b.com", "2026-01-30"},
                                       {"[::1]", "2026-01-30"},
                                       {"b.com", "2026-01-30"}});
    const std::string counts = FormatSiteCounts(sites.counted);
    EXPECT_EQ(counts, "b.com 2026-01-30:2\r\n[::1] 2026-01-30:1\r\na.com 2026-01-01:1\r\n");
    EXPECT_EQ(ParseSiteCounts(counts), sites.counted);
    EXPECT_EQ(ParseRecentSites(FormatRecentSites(sites.recent)), sites.recent);
    const std::string sound = "ok.com 2026-01-02:4294967295 2026-01-01:7";
    const auto dropped = [&](const std::string& line) {
        EXPECT_EQ(ParseSiteCounts(line + "\r\n" + sound), ParseSiteCounts(sound)) << line;
    };
    // No site: neither line is read.
    for (const std::string& bad :
         {std::string("x.com\0", 6), std::string("X.com"), std::string("www.x.com"),
          std::string("x.com:80"), std::string("u@x.com"), std::string("x..com"),
          std::string("x.com."), std::string("\xE4.com"), std::string(" x.com"),
          std::string("x.com\t")}) {
        dropped(bad + " 2026-01-01:1");
        EXPECT_EQ(ParseRecentSites(bad + "\nok.com"), std::vector<std::string>{"ok.com"}) << bad;
    }
    // A site without sound days: none, or one that is no date with a count above 0, or days
    // out of their order or further apart than the days kept.
    for (const char* bad : {"", " ", " 2026-01-01:1 2026-01-01:1", " 2026-01-01:1 2026-01-02:1",
                            " 2026-03-01:1 2026-01-01:1", " 2026-01-01:99999999999999999999x"})
        dropped("x.com" + std::string(bad));
    for (const char* bad :
         {"  2026-01-01:1", " 2026-01-01:0", " 2026-01-01:", " 2026-01-01:-1", " 2026-01-01:+1",
          " 2026-01-01:1 ", " 2026-01-01:0x1", " 2026-01-01:1a", " 2026-02-30:1", " 2026-1-01:1",
          " 2026-01-01;1", " 2026-01-01", " 2026-01-01:1:2", " 2026-01-01: 1"})
        dropped("x.com" + std::string(bad));
    EXPECT_EQ(ParseSiteCounts(sound).front().days.front().count, 4294967295u);
    // A site listed twice counts once; lines past the limit are not read.
    EXPECT_EQ(ParseSiteCounts(sound + "\n" + sound).size(), 1u);
    EXPECT_EQ(ParseRecentSites("a.com\r\na.com\r\n\r\nb.com"),
              (std::vector<std::string>{"a.com", "b.com"}));
    std::string many;
    for (int i = 0; i < 300; ++i)
        many += "s" + std::to_string(i) + ".com 2026-01-01:1\r\n";
    EXPECT_EQ(ParseSiteCounts(many).size(), kCountedSites);
    EXPECT_EQ(ParseRecentSites(ReplaceAll(many, " 2026-01-01:1", "")).size(), kRecentSites);
}

TEST(NotificationPace, OncePerSiteInTenMinutesAndOnceAMinuteInAll) {
    NotificationPace pace;
    struct Step {
        const char* site;
        std::int64_t at;
        bool told;
    } steps[] = {
        {"a.com", 1000, true},  {"a.com", 1001, false}, {"b.com", 1059, false},
        {"b.com", 1060, true},  {"a.com", 1599, false}, {"a.com", 1600, true},
        {"c.com", 1600, false}, {"c.com", 1200, true}, // a clock set back
        {"b.com", 1259, false}, {"b.com", 1800, true},
    };
    for (const Step& s : steps)
        EXPECT_EQ(pace.Allow(s.site, s.at), s.told) << s.site << " at " << s.at;
}

} // namespace
} // namespace stilvane
