// The site of a blocked popup's address, and which entries already allow one.
#include "settings/blocked_site.h"
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

} // namespace
} // namespace stilvane
