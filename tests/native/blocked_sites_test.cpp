// The site of a blocked popup's address, the records of the sites, which
// entries already allow one, and how often the user is told.
#include "framework/portable/civil_time.h"
#include "framework/portable/text.h"
#include "settings/records/blocked_sites.h"
#include "settings/records/notification_pace.h"
#include "settings/site_rule/blocked_site.h"
#include "settings/site_rule/punycode.h"
#include "ui/sites/site_texts.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <tuple>

namespace stilvane {
namespace {

// The tests' code page: UTF-8, so that a stray byte is no character.
std::optional<std::wstring> ReadUtf8(std::string_view bytes) {
    static const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    const locale_t before = ::uselocale(utf8);
    std::wstring text(bytes.size(), L'\0');
    const std::size_t size = std::mbstowcs(text.data(), std::string(bytes).c_str(), text.size());
    ::uselocale(before);
    return size == static_cast<std::size_t>(-1) ? std::nullopt
                                                : std::optional(text.substr(0, size));
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
        {"http://user:p@ss@host.example:81/", "host.example"}, // the last "@" ends them
        {"http://evil.example\\@good.example/", "evil.example"},
        {"http://example.com./", "example.com"},
        {"http://www.com/", "www.com"},
        {"http://WWW.www.shop.example/", "shop.example"}, // as its record reads back
        {"http://[::1]:8080/", "[::1]"},
        {"http://192.168.0.1:80/x", "192.168.0.1"},
        {"http://b\xC3\xBC\x63her.DE/", "xn--bcher-kva.de"},
        {"http://B\xC3\x9C\x43HER.de/", "xn--bcher-kva.de"},
        {"http://Xn--Bcher-KVA.de/", "xn--bcher-kva.de"}, // already in its ASCII form
        {"http://\xD0\x9F\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.\xD1\x80\xD1\x84/",
         "xn--e1afmkfd.xn--p1ai"},
        {"http://\xE4\xBE\x8B\xE3\x81\x88\xE3\x80\x82\xED\x95\x9C\xEA\xB5\xAD/", // an ideographic
                                                                                 // dot
         "xn--r8jz45g.xn--3e0b707e"},
        {"http://\xEF\xBC\xA5\xEF\xBD\x98.com/", "ex.com"}, // full-width letters
        {"http://\xC4\xB0stanbul.tr/", "xn--istanbul-o0e.tr"},
        {"http://" + host253 + "/", host253},
        {"http://" + host253 + "d/", ""},
        {"http://" + label63 + "a.com/", ""},
        {"http://" + umlauts + ".de", ""},
        {"http://a.com/" + std::string(2070, 'x'), "a.com"},
        {"http://a.com/" + std::string(2071, 'x'), ""},
        {std::string("http://a.com\0\0", 14), "a.com"}, // the text ends at its first NUL
        {"http://b\xFC\x63her.de/", ""},                // no UTF-8
        {"http://\xE2\x82\xAC.com/", "xn--lzg.com"},
        {"http://www.co.uk/", "www.co.uk"}, // no public suffix in place of the host
        {"http://www.github.io/", "www.github.io"},
        {"http://www.www.blogspot.com/", "www.blogspot.com"},
        {"http://www.intranet/", "www.intranet"},
    };
    for (const Case& c : cases) {
        const std::string site = SiteOfAddress(c.address, ReadUtf8);
        EXPECT_EQ(site, c.site) << c.address.substr(0, 80);
        EXPECT_EQ(IsSite(site), !site.empty()) << site;
    }
    const char* noSite[] = {"",
                            "about:blank",
                            "javascript:alert(1)",
                            "data:text/html,x",
                            "C:\\pages\\a.html",
                            "file:///C:/a.html",
                            "mailto:a@b.example",
                            "http://",
                            "http://user:pw@/",
                            "http://exa mple.com",
                            "http://a..com",
                            "http://a.com../",
                            "http://a.com:65536/",
                            "http://a.com:8o/",
                            "http://[::1/",
                            "http://[::g]/",
                            "http://[]/",
                            "http://[::1]x/",
                            "http://[FE80::1%25eth0]/",
                            "httpx://a.com/",
                            "ttp://a.com/"};
    for (const char* address : noSite)
        EXPECT_EQ(SiteOfAddress(address, ReadUtf8), "") << address;
    // A sample of the standard: case and ASCII kept.
    EXPECT_EQ(PunycodeOf(U"3\u5E74B\u7D44\u91D1\u516B\u5148\u751F"), "3B-ww4c5e180e575a65lsy2b");
}

TEST(BlockedSite, AnEntryCoversASiteItHoldsWholeOrEndsWithWholeLabels) {
    for (const char* entry :
         {"shop.example.com", "HTTP://Shop.Example.com/", "example.com", " .example.com "})
        EXPECT_EQ(CoveringEntry({"x.org", entry}, "shop.example.com", ReadUtf8), entry);
    for (const char* entry :
         {"le.com", "myshop.example.com", "www.shop.example.com", "shop.example.com.evil", " ",
          "http://evil.net/?r=shop.example.com", "http://evil.net/shop.example.com",
          "# shop.example.com is not allowed", "com", ".com", "*.com"})
        EXPECT_EQ(CoveringEntry({"x.org", entry}, "shop.example.com", ReadUtf8), std::nullopt)
            << entry;
    // A public suffix covers nothing beneath it; an entry in another form names the same host.
    for (const char* site : {"shop.co.uk", "me.github.io", "a.b.ck"})
        EXPECT_EQ(CoveringEntry({site + std::string(site).find('.') + 1}, site, ReadUtf8),
                  std::nullopt)
            << site;
    EXPECT_EQ(CoveringEntry({"b\xC3\xBC\x63her.de/x"}, "shop.xn--bcher-kva.de", ReadUtf8),
              "b\xC3\xBC\x63her.de/x");
    EXPECT_EQ(CoveringEntry({"http://0x7f.1/"}, "127.0.0.1", ReadUtf8), "http://0x7f.1/");
    EXPECT_FALSE(MayAllow("co.uk") || MayAllow("github.io") || MayAllow("com") || MayAllow("ck"));
    EXPECT_TRUE(MayAllow("www.co.uk") && MayAllow("intranet") && MayAllow("[::1]"));
    EXPECT_EQ(CoveringEntry({"http://[::1]:8080/"}, "[::1]", ReadUtf8), "http://[::1]:8080/");
}

// The records after blocks on `sites` on `day`.
BlockedSites Blocks(const char* day, std::initializer_list<const char*> sites,
                    BlockedSites records = {}) {
    for (const char* site : sites)
        records = WithBlock(std::move(records), site, day);
    return records;
}

TEST(BlockedSites, RecentSitesCountsAndTheTopFive) {
    BlockedSites sites = Blocks("2026-02-30", {"d.com"}, Blocks("2026-03-01", {"a.com"}));
    sites = Blocks("2026-03-02", {"b.com", "a.com", "a.com", "c.com", "no site"}, sites);
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
    EXPECT_EQ(Blocks("2026-02-20", {"a.com"}, sites).counted.front().days,
              (std::vector<SiteDay>{{*DayNumber("2026-02-20"), 4}}));
    sites = Blocks("2026-03-03", {"1.a", "2.a", "3.a", "4.a", "5.a", "6.a", "7.a", "8.a", "9.a"},
                   sites);
    EXPECT_EQ(sites.recent.size(), kRecentSites);
    EXPECT_EQ(sites.recent.back(), "c.com"); // a.com and b.com gone
    EXPECT_EQ(TopSites(sites, "2026-03-03").size(), kTopSites);
}

TEST(BlockedSites, AFullTableLosesTheLeastBlockedAndStaysBounded) {
    BlockedSites sites = Blocks("2026-03-01", {"kept.com", "kept.com"});
    for (int i = 0; i < 2000; ++i) // ten times as many as are kept
        sites = WithBlock(std::move(sites), "h" + std::to_string(i) + ".example", "2026-03-01");
    EXPECT_EQ(sites.counted.size(), kCountedSites);
    EXPECT_EQ(sites.counted.back().site, "kept.com");
    // Of the sites blocked once, the one blocked first goes first.
    EXPECT_EQ(sites.counted[kCountedSites - 2].site, "h1801.example");
    EXPECT_LT(FormatSiteCounts(sites.counted).size(), 10000u);
}

TEST(BlockedSites, RecordsReadBackAndDamagedLinesAreDropped) {
    const BlockedSites sites =
        Blocks("2026-01-30", {"b.com", "[::1]", "b.com"}, Blocks("2026-01-01", {"a.com"}));
    const std::string counts = FormatSiteCounts(sites.counted);
    EXPECT_EQ(counts, "b.com 2026-01-30:2\r\n[::1] 2026-01-30:1\r\na.com 2026-01-01:1\r\n");
    EXPECT_EQ(ParseSiteCounts(counts), sites.counted);
    const std::string sound = "ok.com 2026-01-02:4294967295 2026-01-01:7";
    const auto dropped = [&](const std::string& line) {
        EXPECT_EQ(ParseSiteCounts(line + "\r\n" + sound), ParseSiteCounts(sound)) << line;
    };
    // No site: neither line is read.
    for (const std::string bad :
         {"X.com", "www.x.com", "x.com:80", "u@x.com", "x..com", "x.com.", "\xE4.com", " x.com"}) {
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

TEST(FittedSiteText, ALongSiteLosesItsMiddleSoThatTheRestOfTheTextStaysWhole) {
    const std::tuple<const char*, std::size_t, const char*> cases[] = {
        {"On %1. Click.", 20, "On ...le.com. Click."}, // the domain's end first
        {"On %1. Click.", 26, "On s...example.com. Click."},
        {"%1 and %1", 21, "...e.com and ...e.com"},
        {"Nothing fits here %1", 10, "Nothing fits here ..."}};
    for (const auto& [pattern, longest, fitted] : cases)
        EXPECT_EQ(FittedSiteText(pattern, "shop.example.com", longest), fitted);
    // A long name keeps its registrable domain, whatever comes before it.
    std::string lure = "www.paypal.com.login-secure-account-verification";
    while (lure.size() < 220)
        lure += ".xxxxxxxxxx";
    const struct {
        std::string site, shown;
    } shortened[] = {
        {lure + ".attacker.example", "www.paypal.com.login-s...xxxxxx.attacker.example"},
        {lure + ".evil.co.uk", "www.paypal.com.login-s...x.xxxxxxxxxx.evil.co.uk"},
        // A domain longer than the room keeps its end.
        {"a." + std::string(60, 'b') + ".com", "..." + std::string(41, 'b') + ".com"},
        {"shop.example.com", "shop.example.com"}};
    for (const auto& [site, shown] : shortened)
        EXPECT_EQ(ShortSite(site, 48), shown) << site;
}

} // namespace
} // namespace stilvane
