// marl_REG against the real (Wine) registry, under a scratch key.
#include "framework/portable/errors.h"
#include "settings/marl_REG.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace stilvane {
namespace {

using testing::ScratchKey;

class Registry : public ::testing::Test {
protected:
    std::string ReadString(const std::string& name) const {
        return ReadRegString(HKEY_CURRENT_USER, key.Path(), name);
    }
    std::int32_t ReadInteger(const std::string& name) const {
        return ReadRegInteger(HKEY_CURRENT_USER, key.Path(), name);
    }
    void SetBinary(const std::string& name, const std::vector<unsigned char>& bytes) const {
        key.SetRaw(name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    }

    ScratchKey key;
};

TEST_F(Registry, ReadsEveryValueKindAsText) {
    key.SetString("sz", "1");
    key.SetString("sz_empty", "");
    key.SetString("sz_umlaut", "Gr\xFC\xDF");
    key.SetString("expand", "%WINDIR%\\x", REG_EXPAND_SZ);
    key.SetDword("dword1", 1);
    key.SetDword("dword_max", 0xFFFFFFFF);
    key.SetDword("dword_min", 0x80000000);
    const char multi[] = "a\0b\0";
    key.SetRaw("multi", REG_MULTI_SZ, multi, sizeof multi);
    const unsigned char qword[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    key.SetRaw("qword", REG_QWORD, qword, sizeof qword);
    key.SetRaw("none", REG_NONE, qword, sizeof qword);
    key.SetRaw("sz_no_terminator", REG_SZ, "abc", 3);
    key.SetRaw("sz_inner_nul", REG_SZ, "ab\0cd", 6);

    struct Case {
        const char* name;
        std::string text;
    } cases[] = {
        {"sz", "1"},
        {"sz_empty", ""},
        {"sz_umlaut", "Gr\xFC\xDF"},
        {"expand", "%WINDIR%\\x"},
        {"dword1", "1"},
        {"dword_max", "-1"},
        {"dword_min", "-2147483648"},
        {"multi", ""},
        {"qword", ""},
        {"none", ""},
        {"sz_no_terminator", "abc"},
        {"sz_inner_nul", "ab"},
        {"missing", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadString(c.name), c.text) << c.name;
}

TEST_F(Registry, LongStringIsReadWhole) {
    const std::string text(100000, 'q');
    key.SetString("long", text);
    EXPECT_EQ(ReadString("long"), text);
}

TEST_F(Registry, BinaryAsTextOneCharacterPerByteBelow2048Bytes) {
    struct Case {
        std::size_t size;
        std::size_t expected;
    } cases[] = {{0, 0}, {2, 2}, {4, 4}, {5, 5}, {2047, 2047}, {2048, 0}, {70000, 0}};
    for (const auto& c : cases) {
        std::vector<unsigned char> bytes(c.size);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<unsigned char>(i * 7); // includes NUL bytes
        SetBinary("bin", bytes);
        const std::string text = ReadString("bin");
        ASSERT_EQ(text.size(), c.expected) << c.size;
        if (c.expected > 0) {
            EXPECT_EQ(std::vector<unsigned char>(text.begin(), text.end()), bytes) << c.size;
        }
    }
}

TEST_F(Registry, MissingKeyReadsEmptyAndZeroAndIsNotCreated) {
    EXPECT_EQ(ReadString("x"), "");
    EXPECT_EQ(ReadInteger("x"), 0);
    DeleteRegValue(HKEY_CURRENT_USER, key.Path(), "x");
    EXPECT_FALSE(key.KeyExists());
}

TEST_F(Registry, ReadsIntegers) {
    key.SetDword("dword", 7);
    key.SetDword("dword_max", 0xFFFFFFFF);
    key.SetString("sz12", "12");
    key.SetString("sz_lead", " 12");
    key.SetString("sz_hex", "$10");
    key.SetString("sz_neg", "-5");
    key.SetString("expand", "0x20", REG_EXPAND_SZ);
    SetBinary("bin2", {0x34, 0x12});
    SetBinary("bin4", {0x78, 0x56, 0x34, 0x12});
    SetBinary("bin0", {});
    const char multi[] = "5\0";
    key.SetRaw("multi", REG_MULTI_SZ, multi, sizeof multi);
    key.SetRaw("qword", REG_QWORD, "\x05\0\0\0\0\0\0\0", 8);

    struct Case {
        const char* name;
        std::int32_t value;
    } cases[] = {
        {"dword", 7},   {"dword_max", -1}, {"sz12", 12},     {"sz_lead", 12},      {"sz_hex", 16},
        {"sz_neg", -5}, {"expand", 32},    {"bin2", 0x1234}, {"bin4", 0x12345678}, {"bin0", 0},
        {"multi", 0},   {"qword", 0},      {"missing", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadInteger(c.name), c.value) << c.name;
}

TEST_F(Registry, IntegerConversionErrorsCarryTheText) {
    for (const char* text : {"12 ", "", "abc", "1.0"}) {
        key.SetString("bad", text);
        try {
            ReadInteger("bad");
            FAIL() << text;
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("'") + text + "' ist kein g\xFCltiger Integerwert");
        }
    }
}

TEST_F(Registry, BinaryLongerThanFourBytesIsTheWrongTypeForAnInteger) {
    for (std::size_t size : {5u, 8u, 2047u, 5000u}) {
        SetBinary("PopupBlocker_BlockTime", std::vector<unsigned char>(size, 1));
        try {
            ReadInteger("PopupBlocker_BlockTime");
            FAIL() << size;
        } catch (const ERegistryException& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Ung\xFCltiger Datentyp f\xFCr 'PopupBlocker_BlockTime'");
        }
    }
}

TEST_F(Registry, OversizedDwordIsAReadError) {
    key.SetRaw("wide", REG_DWORD, "\1\0\0\0\0\0\0\0", 8);
    EXPECT_THROW(ReadInteger("wide"), ERegistryException);
    EXPECT_THROW(ReadString("wide"), ERegistryException);
    key.SetRaw("short", REG_DWORD, "\x05\x01", 2);
    EXPECT_EQ(ReadInteger("short"), 0x105);
}

TEST_F(Registry, WriteCreatesTheKeyAndAlwaysLeavesAString) {
    EXPECT_FALSE(key.KeyExists());
    WriteRegString(HKEY_CURRENT_USER, key.Path() + "\\deeper\\still", "v", "x");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, key.Path() + "\\deeper\\still", "v"), "x");

    key.SetDword("v", 1);
    WriteRegString(HKEY_CURRENT_USER, key.Path(), "v", "0");
    DWORD type = REG_NONE;
    ASSERT_TRUE(key.Exists("v", &type));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ReadString("v"), "0");

    SetBinary("b", std::vector<unsigned char>(3000, 9));
    WriteRegString(HKEY_CURRENT_USER, key.Path(), "b", "");
    ASSERT_TRUE(key.Exists("b", &type));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ReadString("b"), "");
}

TEST_F(Registry, WriteToAnUnopenableKeyRaisesTheSetError) {
    // No key can be created under a root handle that does not exist.
    try {
        WriteRegString(reinterpret_cast<HKEY>(0x12345), key.Path(), "v", "1");
        FAIL();
    } catch (const ERegistryException& e) {
        EXPECT_EQ(std::string(e.what()), "Fehler beim Setzen der Daten f\xFCr 'v'");
    }
}

TEST_F(Registry, DeleteRemovesOnlyTheNamedValue) {
    key.SetString("a", "1");
    key.SetString("b", "2");
    DeleteRegValue(HKEY_CURRENT_USER, key.Path(), "A"); // names ignore case
    DeleteRegValue(HKEY_CURRENT_USER, key.Path(), "missing");
    EXPECT_FALSE(key.Exists("a"));
    EXPECT_TRUE(key.Exists("b"));
}

TEST_F(Registry, ValueNamesIgnoreCase) {
    key.SetString("PopupBlocker", "1");
    EXPECT_EQ(ReadString("POPUPBLOCKER"), "1");
}

} // namespace
} // namespace stilvane
