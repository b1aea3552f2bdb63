#include "framework/portable/errors.h"
#include "framework/portable/text.h"
#include "settings/language/ini_text.h"
#include "settings/language/language_choice.h"
#include "settings/language/language_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace stilvane {
namespace {

TEST(LanguageChoice, SystemLanguageWhenItHasASectionElseFallback) {
    struct Case {
        LanguageId system;
        std::vector<std::string> sections;
        LanguageId chosen;
    } cases[] = {
        {1031, {"1031", "1033"}, 1031},
        {2055, {"1031", "1033"}, 1033},
        {2055, {}, 1033},
        {1031, {"1033"}, 1033},
        {1036, {"1036"}, 1036},           // no [1033] needed
        {1031, {" 1031", "1031 "}, 1033}, // section names are compared whole
        {1031, {"01031"}, 1033},
        {0, {"0"}, 1033}, // id 0 never counts
        {65535, {"65535"}, 65535},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageFromSections(c.system, c.sections), c.chosen) << c.system;
}

TEST(LanguageChoice, DialectRedirection) {
    struct Case {
        const char* value;
        LanguageId chosen;
    } cases[] = {
        {"", 1033},     {"1031", 1031},   {" 1031", 1031}, {"0", 1033},          {"-3", 1033},
        {"$407", 1031}, {"65535", 65535}, {"65536", 1033}, {"2147483647", 1033},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ApplyDialect(1033, c.value), c.chosen) << c.value;
}

TEST(LanguageChoice, BadDialectNumberRaisesConversionError) {
    for (const char* value : {"1031 ", "abc", "10 31", "-"}) {
        try {
            ApplyDialect(1033, value);
            FAIL() << value;
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("'") + value + "' ist kein g\xFCltiger Integerwert");
        }
    }
}

TEST(LanguageTexts, BuiltInTextsAreAllGerman) {
    const auto& t = BuiltInTexts();
    EXPECT_EQ(t[TextKey::ButtonAdd], "&Hinzuf\xFCgen");
    EXPECT_EQ(t[TextKey::Active], "&Popups blockieren");
    // Four rows joined by CR LF, with o-umlauts as single bytes.
    EXPECT_EQ(std::count(t[TextKey::Label1].begin(), t[TextKey::Label1].end(), '\n'), 3);
    EXPECT_NE(t[TextKey::Label1].find("Sie k\xF6nnen aber auch"), std::string::npos);
    EXPECT_EQ(t[TextKey::Label1].find("\n\r"), std::string::npos);
    // Every text has one, and none of them is the English one.
    for (const TextKey key : kTextKeys)
        EXPECT_NE(t[key], "") << KeyOf(key);
    for (const CountedKey key : kCountedKeys)
        EXPECT_FALSE(t[key].other.empty() || t[key].one.empty()) << KeyOf(key);
    EXPECT_EQ(t[TextKey::Pause], "Blockieren pa&usieren");
    EXPECT_EQ(Counted(t.language, t[CountedKey::BlockedCount], 1, "7"),
              "Heute 1 Popup blockiert, insgesamt 7");
}

TEST(LanguageTexts, EveryKeyFillsItsOwnFieldAndFormsGoTogether) {
    std::set<std::string> names;
    const LanguageTexts texts = WithTextsFrom(
        BuiltInTexts(), 1049,
        [&](const std::string& key) {
            names.insert(key);
            return key == "Label1" ? std::string("a\xB0z") : key == "BlockedCount_Few" ? "" : key;
        },
        [](const std::string& text) { return ReplaceAll(text, "\xB0", "\r\n"); });
    EXPECT_EQ(texts.language, 1049);
    for (const TextKey key : kTextKeys)
        EXPECT_EQ(texts[key], key == TextKey::Label1 ? "a\r\nz" : KeyOf(key));
    EXPECT_EQ(texts[CountedKey::AskUnstorable].few, "Ask_Unstorable_Few");
    // A section with only the plural takes no singular from elsewhere.
    EXPECT_EQ(texts[CountedKey::BlockedCount].one, "BlockedCount_1");
    EXPECT_EQ(texts[CountedKey::BlockedCount].few, "");
    EXPECT_EQ(names.size(), kTextCount + 3 * kCountedCount);
    EXPECT_TRUE(names.count("Refused_TooLong_1") && names.count("Active"));
}

TEST(LanguageTexts, FailuresAreToldInTheTextsLanguageWithTheSystemsReasonWhereThereIsOne) {
    LanguageTexts texts = BuiltInTexts();
    texts[TextKey::ErrorFileCreate] = "%1 (%2)";
    const auto why = [](const std::exception&) { return std::string("why"); };
    EXPECT_EQ(MessageIn(texts, EFCreateError(MessageKind::FileCreate, "%2", 5), why), "%2 (why)");
    EXPECT_EQ(MessageIn(texts, EFCreateError(MessageKind::FileCreate, "a", 0), why),
              "Datei a kann nicht erstellt werden");
}

TEST(LanguageTexts, EachLanguageTakesItsFormForANumber) {
    const CountedText text{"%1 other", "%1 one", "%1 few"};
    struct Case {
        LanguageId language;
        std::vector<std::pair<std::uint64_t, const char*>> forms;
    } cases[] = {
        {1033, {{0, "other"}, {1, "one"}, {2, "other"}, {21, "other"}}},
        {1031, {{1, "one"}, {11, "other"}}},
        {1036, {{0, "one"}, {1, "one"}, {2, "other"}}},
        {3084, {{0, "one"}, {2, "other"}}}, // Canadian French: the primary language counts
        {1046, {{0, "one"}, {1, "one"}, {2, "other"}}},
        {1045,
         {{1, "one"},
          {2, "few"},
          {4, "few"},
          {5, "other"},
          {12, "other"},
          {22, "few"},
          {0, "other"},
          {21, "other"},
          {14, "other"},
          {114, "other"}}},
        {1049,
         {{1, "one"},
          {21, "one"},
          {11, "other"},
          {3, "few"},
          {13, "other"},
          {5, "other"},
          {101, "one"},
          {14, "other"},
          {114, "other"}}},
        {1058, {{31, "one"}, {24, "few"}, {111, "other"}, {14, "other"}, {114, "other"}}},
        {1029, {{1, "one"}, {3, "few"}, {5, "other"}, {22, "other"}}},
        {1048, {{1, "one"}, {0, "few"}, {19, "few"}, {20, "other"}, {101, "few"}, {120, "other"}}},
        {1041, {{1, "other"}, {2, "other"}}},
        {1055, {{1, "other"}}},
        {1038, {{1, "other"}}},
        {1032, {{1, "one"}, {2, "other"}}},
    };
    for (const auto& c : cases)
        for (const auto& [n, form] : c.forms)
            EXPECT_EQ(Counted(c.language, text, n), std::to_string(n) + " " + form)
                << c.language << ": " << n;
    // The other shipped Western languages: the singular for exactly one.
    for (const LanguageId language : {1043, 1053, 1030, 1044, 1035, 1040, 3082, 2070})
        for (const std::uint64_t n : {0, 1, 2})
            EXPECT_EQ(Counted(language, text, n), std::to_string(n) + (n == 1 ? " one" : " other"));
    // A form a section lacks is the plural.
    EXPECT_EQ(Counted(1049, CountedText{"%1 x", "", ""}, 21, "y"), "21 x");
}

TEST(IniText, ValuesAsTheProfileFunctionsReadThem) {
    const std::string ini = "; comment\r\n[1031]\r\nActive=&Blockieren\r\n"
                            "[ 1033 ]\n  active = \"&Block\" \n Quit\t=\t&Quit\t\r"
                            "Active=second\n;Sound=x\nLabel1=a=b\n[1036\nSound=y\n";
    struct Case {
        const char *section, *key;
        std::optional<std::string> value;
    } cases[] = {
        {"1031", "Active", "&Blockieren"}, {"1033", "ACTIVE", "&Block"},
        {"1033", "Quit", "&Quit"},         {"1033", "Label1", "a=b"},
        {"1033", "Sound", std::nullopt},   {"1036", "Sound", std::nullopt},
        {"1049", "Active", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IniTextValue(ini, c.section, c.key), c.value) << c.section << " " << c.key;
}

TEST(Text, DoubleByteCharactersStayWhole) {
    // Shift-JIS lead bytes; "\x95\x5C" and "\x83\x7C" end in a backslash and a bar.
    const LeadByteTest shiftJis = [](unsigned char b) {
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    };
    const std::string text = "a\x95\x5C\x83\x7C|b";
    EXPECT_EQ(WholeCharacters(text, 2, shiftJis), 1u);
    EXPECT_EQ(WholeCharacters(text, 4, shiftJis), 3u);
    EXPECT_EQ(WholeCharacters(text, 4, nullptr), 4u);
    EXPECT_EQ(WholeCharacters("\x95", 9, shiftJis), 1u); // a lone lead byte at the end
    EXPECT_EQ(FindCharacter(text, '|', shiftJis), 5u);
    EXPECT_EQ(FindCharacter(text, '\\', shiftJis), std::string::npos);
    EXPECT_EQ(FindCharacter(text, '\\', nullptr), 2u);
}

TEST(Text, NulListAndCaseAndReplace) {
    const char list[] = "1031\0"
                        "1033\0"
                        "dialects\0";
    EXPECT_EQ(SplitNulList(list, sizeof list - 1),
              (std::vector<std::string>{"1031", "1033", "dialects"}));
    EXPECT_TRUE(SplitNulList("", 0).empty());
    // A list cut off without its closing NUL keeps what arrived.
    EXPECT_EQ(SplitNulList("ab\0cd", 5), (std::vector<std::string>{"ab", "cd"}));
    EXPECT_TRUE(SameTextAscii("Dialects", "dIALECTS"));
    EXPECT_FALSE(SameTextAscii("\xE4", "\xC4"));
    EXPECT_FALSE(SameTextAscii("a", "ab"));
    EXPECT_EQ(ReplaceAll("a\xB0\xB0"
                         "b",
                         "\xB0", "\r\n"),
              "a\r\n\r\nb");
    EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
}

} // namespace
} // namespace stilvane
