#include "framework/errors.h"
#include "framework/text.h"
#include "settings/language_choice.h"
#include "settings/language_texts.h"

#include <gtest/gtest.h>

#include <algorithm>

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

TEST(LanguageTexts, LabelDegreeSignsBecomeLineBreaks) {
    EXPECT_EQ(LabelTextFromIni("eins\xB0zwei"), "eins\r\nzwei");
    EXPECT_EQ(LabelTextFromIni("\xB0\xB0"), "\r\n\r\n");
    EXPECT_EQ(LabelTextFromIni("kein Grad"), "kein Grad");
}

TEST(LanguageTexts, BuiltInTextsAreTheGermanOnes) {
    const auto& t = BuiltInTexts();
    EXPECT_EQ(t.buttonAdd, "&Hinzuf\xFCgen");
    EXPECT_EQ(t.active, "&Popups blockieren");
    // Four rows joined by CR LF, with o-umlauts as single bytes.
    EXPECT_EQ(std::count(t.label1.begin(), t.label1.end(), '\n'), 3);
    EXPECT_NE(t.label1.find("Sie k\xF6nnen aber auch"), std::string::npos);
    EXPECT_EQ(t.label1.find("\n\r"), std::string::npos);
}

TEST(LanguageTexts, KeysInApplicationOrderEachWithItsOwnField) {
    const auto& keys = LanguageKeys();
    const char* expected[] = {"Active",
                              "Exceptions",
                              "Sound",
                              "Quit",
                              "Button_Delete",
                              "Button_Add",
                              "Label1",
                              "Ask_SaveChanges",
                              "Note_Merged",
                              "Ask_Unstorable",
                              "Label_Exceptions",
                              "Label_NewException",
                              "Cue_NewException",
                              "List_Remove",
                              "List_SelectAll",
                              "List_Copy",
                              "List_Paste",
                              "List_Import",
                              "List_Export",
                              "Note_Added",
                              "Filter_Text",
                              "Filter_All",
                              "Pause",
                              "Pause5",
                              "Pause15",
                              "Pause60",
                              "PauseSignIn",
                              "PausedUntil",
                              "PausedSignIn",
                              "BlockedCount"};
    ASSERT_EQ(keys.size(), std::size(expected));
    LanguageTexts probe;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_STREQ(keys[i].key, expected[i]);
        probe.*keys[i].field = expected[i];
    }
    EXPECT_EQ(probe.active, "Active");
    EXPECT_EQ(probe.buttonDelete, "Button_Delete");
    EXPECT_EQ(probe.label1, "Label1");
    EXPECT_EQ(probe.askUnstorable, "Ask_Unstorable");
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
