// The controller's side of the shared values, on a scratch key.
#include "settings/marl_REG.h"
#include "settings/shared_settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace stilvane {
namespace {

using testing::ScratchKey;

class Settings : public ::testing::Test {
protected:
    std::string Read(const char* name) const {
        return ReadRegString(HKEY_CURRENT_USER, key.Path(), name);
    }

    ScratchKey key;
    SharedSettings settings{HKEY_CURRENT_USER, key.Path()};
};

TEST_F(Settings, StartUpOnAnEmptyRegistry) {
    settings.PublishProgramDirectory("C:\\Programme\\Blocker");
    EXPECT_FALSE(settings.ReadBlocking());
    EXPECT_TRUE(settings.NormaliseSound());
    EXPECT_EQ(Read(kValueDirectory), "C:\\Programme\\Blocker");
    EXPECT_EQ(Read(kValueSound), "1");
    EXPECT_FALSE(key.Exists(kValueBlocking));
    EXPECT_FALSE(key.Exists(kValueBlockTime));
}

TEST_F(Settings, BlockingIsOnOnlyForExactlyOne) {
    struct Case {
        const char* stored;
        bool on;
    } cases[] = {{"1", true},   {"0", false}, {"yes", false}, {" 1", false},
                 {"1 ", false}, {"", false},  {"01", false}};
    for (const auto& c : cases) {
        key.SetString(kValueBlocking, c.stored);
        EXPECT_EQ(settings.ReadBlocking(), c.on) << c.stored;
        EXPECT_EQ(Read(kValueBlocking), c.stored) << "must not be written back";
    }
    key.SetDword(kValueBlocking, 1); // a DWORD 1 reads as "1"
    EXPECT_TRUE(settings.ReadBlocking());
}

TEST_F(Settings, SoundIsOffOnlyForExactlyZeroAndIsRewritten) {
    struct Case {
        const char* stored; // nullptr: missing
        bool on;
    } cases[] = {{nullptr, true}, {"0", false},  {"1", true}, {"", true},
                 {"00", true},    {"off", true}, {" 0", true}};
    for (const auto& c : cases) {
        if (c.stored)
            key.SetString(kValueSound, c.stored);
        else
            DeleteRegValue(HKEY_CURRENT_USER, key.Path(), kValueSound);
        EXPECT_EQ(settings.NormaliseSound(), c.on) << (c.stored ? c.stored : "(missing)");
        EXPECT_EQ(Read(kValueSound), c.on ? "1" : "0");
    }
    key.SetDword(kValueSound, 0);
    EXPECT_FALSE(settings.NormaliseSound());
    DWORD type;
    ASSERT_TRUE(key.Exists(kValueSound, &type));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

TEST_F(Settings, TogglesWriteOneOrZero) {
    settings.WriteBlocking(true);
    EXPECT_EQ(Read(kValueBlocking), "1");
    settings.WriteBlocking(false);
    EXPECT_EQ(Read(kValueBlocking), "0");
    settings.WriteSound(false);
    EXPECT_EQ(Read(kValueSound), "0");
    settings.WriteSound(true);
    EXPECT_EQ(Read(kValueSound), "1");
}

TEST_F(Settings, BlockSignalIsTakenOnceAndDeleted) {
    EXPECT_FALSE(settings.TakeBlockSignal());

    key.SetDword(kValueBlockTime, 0);
    EXPECT_FALSE(settings.TakeBlockSignal());
    EXPECT_TRUE(key.Exists(kValueBlockTime)) << "a zero is left in place";

    struct Case {
        const char* name;
        std::function<void()> store;
    } signals[] = {
        {"dword", [&] { key.SetDword(kValueBlockTime, 123456); }},
        {"string -5", [&] { key.SetString(kValueBlockTime, "-5"); }},
        {"binary 2 bytes", [&] { key.SetRaw(kValueBlockTime, REG_BINARY, "\1\0", 2); }},
        // Unreadable as a number: still a signal, and removed so that it
        // cannot be seen again at every poll.
        {"non-numeric string", [&] { key.SetString(kValueBlockTime, "gestern"); }},
        {"binary 5 bytes", [&] { key.SetRaw(kValueBlockTime, REG_BINARY, "\1\2\3\4\5", 5); }},
    };
    for (const auto& s : signals) {
        s.store();
        EXPECT_TRUE(settings.TakeBlockSignal()) << s.name;
        EXPECT_FALSE(key.Exists(kValueBlockTime)) << s.name;
        EXPECT_FALSE(settings.TakeBlockSignal()) << s.name;
    }
}

TEST_F(Settings, TheAddressIsTakenWithTheSignalAsItsSiteOrNone) {
    const std::string huge = "http://a.com/" + std::string(100000, 'x');
    struct Case {
        std::string address; // stored with a NUL after it
        DWORD type;
        const char* site;
    } cases[] = {
        {"http://u:pw@WWW.Shop.Example.com:81/a?b", REG_SZ, "shop.example.com"},
        {"https://b\xFC\x63her.de./", REG_SZ, "xn--bcher-kva.de"},
        {"http://" + std::string(300, 'a'), REG_SZ, ""},
        {huge, REG_SZ, ""},
        {std::string("http://a.com\0http://b.com", 25), REG_SZ, "a.com"}, // up to the first NUL
        {"http://a.com/", REG_EXPAND_SZ, ""},
        {"\7\0\0", REG_DWORD, ""},
        {huge, REG_BINARY, ""},
        // As a blocker writing Unicode would store a character no code page has.
        {"", REG_NONE, "xn--a-jv3s.com"},
    };
    for (const auto& c : cases) {
        if (c.type != REG_NONE) {
            key.SetRaw(kValueBlockAddress, c.type, c.address.c_str(), c.address.size() + 1);
        } else {
            HKEY raw;
            ::RegOpenKeyExA(HKEY_CURRENT_USER, key.Path().c_str(), 0, KEY_SET_VALUE, &raw);
            ::RegSetValueExW(raw, L"PopupBlocker_BlockURL", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(L"http://a\xD83D\xDE00.com/"), 32);
            ::RegCloseKey(raw);
        }
        const std::string name = c.address.substr(0, 40) + " " + std::to_string(c.type);
        EXPECT_FALSE(settings.TakeBlock().blocked) << name;
        EXPECT_TRUE(key.Exists(kValueBlockAddress)) << name << ": left for its signal";
        key.SetDword(kValueBlockTime, 1);
        const BlockSignal signal = settings.TakeBlock();
        EXPECT_TRUE(signal.blocked && signal.site == c.site) << name << ": " << signal.site;
        EXPECT_FALSE(key.Exists(kValueBlockAddress) || key.Exists(kValueBlockTime)) << name;
    }
    key.SetString(kValueBlockTime, "gestern"); // no address: the signal alone
    EXPECT_EQ(settings.TakeBlock().site, "");
    EXPECT_FALSE(key.Exists(kValueBlockTime));
}

TEST_F(Settings, AnAddressThatWaitedLongerThanItsSignalNamesNoSite) {
    key.SetString(kValueBlockAddress, "http://stale.example/");
    EXPECT_FALSE(settings.TakeBlock(1000).blocked);
    EXPECT_FALSE(settings.TakeBlock(3000).blocked); // unchanged: it waits since 1000
    key.SetDword(kValueBlockTime, 1);
    EXPECT_EQ(settings.TakeBlock(1000 + kAddressWaitMilliseconds + 1).site, "");
    EXPECT_FALSE(key.Exists(kValueBlockAddress));
    // A new address at a later look waits from then; one found with its signal never waited.
    key.SetString(kValueBlockAddress, "http://stale.example/");
    EXPECT_FALSE(settings.TakeBlock(20000).blocked);
    key.SetString(kValueBlockAddress, "http://fresh.example/");
    EXPECT_FALSE(settings.TakeBlock(24000).blocked);
    key.SetDword(kValueBlockTime, 1);
    EXPECT_EQ(settings.TakeBlock(28000).site, "fresh.example");
    key.SetString(kValueBlockAddress, "http://late.example/");
    key.SetDword(kValueBlockTime, 1);
    EXPECT_EQ(settings.TakeBlock(90000).site, "late.example");
}

TEST_F(Settings, EveryKindButANumberZeroIsASignalTakenAndDeleted) {
    const std::uint64_t zero = 0, five = 5;
    const std::tuple<DWORD, std::string, bool> cases[] = {
        {REG_QWORD, std::string(reinterpret_cast<const char*>(&five), 8), true},
        {REG_QWORD, std::string(reinterpret_cast<const char*>(&zero), 8), false},
        {REG_MULTI_SZ, std::string("5\0\0", 3), true},
        {REG_NONE, "", true},
        {REG_NONE, "x", true},
        {REG_DWORD_BIG_ENDIAN, std::string("\0\0\0\1", 4), true},
        {REG_DWORD_BIG_ENDIAN, std::string(4, '\0'), false},
        {REG_SZ, std::string("0\0", 2), false},
    };
    for (const auto& [type, data, signal] : cases) {
        key.SetRaw(kValueBlockTime, type, data.data(), static_cast<DWORD>(data.size()));
        EXPECT_EQ(settings.TakeBlockSignal(), signal) << type << " " << data.size();
        EXPECT_EQ(key.Exists(kValueBlockTime), !signal) << type << " " << data.size();
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, key.Path().c_str(), kValueBlockTime);
    }
}

} // namespace
} // namespace stilvane
