// Language choice and texts with real popup.ini and DIALECTS.INI files read
// through the platform's INI reader.
#include "framework/portable/errors.h"
#include "framework/system/file_io.h"
#include "framework/system/program_resource.h"
#include "settings/marl_INI.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace stilvane {
namespace {

using testing::ScratchDirectory;

const char kPopupIni[] = "[1031]\r\n"
                         "Active=&Blockieren\r\n"
                         "Label1=eins\xB0zwei\r\n"
                         "[1033]\r\n"
                         "Active=&Block popups\r\n"
                         "Exceptions=\r\n"
                         "Quit=&Quit\r\n"
                         "Button_Add=&Add\r\n"
                         "BlockedCount=%1 blocked, %2\r\n";

class Language : public ::testing::Test {
protected:
    ScratchDirectory folder;
};

TEST_F(Language, MissingPopupIniChoosesNothing) {
    EXPECT_FALSE(ChooseLanguage(folder.Path(), 1031).has_value());
    folder.Write("DIALECTS.INI", "[dialects]\r\n1033=1031\r\n");
    EXPECT_FALSE(ChooseLanguage(folder.Path(), 1031).has_value());
}

TEST_F(Language, DirectoryNamedPopupIniCountsAsMissing) {
    ASSERT_TRUE(::CreateDirectoryA(folder.File("popup.ini").c_str(), nullptr));
    EXPECT_FALSE(ChooseLanguage(folder.Path(), 1033).has_value());
}

TEST_F(Language, ChoosesBySectionsAndDialects) {
    struct Case {
        const char* name;
        LanguageId system;
        const char* dialects; // nullptr: no DIALECTS.INI
        LanguageId chosen;
    } cases[] = {
        {"system section present", 1031, nullptr, 1031},
        {"no section for system", 2055, nullptr, 1033},
        {"dialect of unchosen id ignored", 2055, "[dialects]\r\n2055=1031\r\n", 1033},
        {"dialect of chosen id applies", 2055, "[dialects]\r\n1033=1031\r\n", 1031},
        {"dialect zero ignored", 1033, "[dialects]\r\n1033=0\r\n", 1033},
        {"dialect negative ignored", 1033, "[dialects]\r\n1033=-3\r\n", 1033},
        {"dialect leading blank", 1033, "[dialects]\r\n1033=\" 1031\"\r\n", 1031},
        {"dialect not chained", 1033, "[DIALECTS]\r\n1033=1031\r\n1031=2055\r\n", 1031},
        {"dialect to unknown section", 1033, "[dialects]\r\n1033=1036\r\n", 1036},
        {"dialects empty file", 1033, "", 1033},
        {"dialects garbage lines", 1031, "\x01\x02garbage\r\n=\r\n[dialects\r\n", 1031},
    };
    folder.Write("popup.ini", kPopupIni);
    for (const auto& c : cases) {
        ::DeleteFileA(folder.File("DIALECTS.INI").c_str());
        if (c.dialects)
            folder.Write("DIALECTS.INI", c.dialects);
        const auto chosen = ChooseLanguage(folder.Path(), c.system);
        ASSERT_TRUE(chosen.has_value()) << c.name;
        EXPECT_EQ(*chosen, c.chosen) << c.name;
    }
}

TEST_F(Language, DialectValueWithTrailingBlankRaisesConversionError) {
    folder.Write("popup.ini", kPopupIni);
    // Quotes keep the blank: the INI reader trims unquoted values.
    folder.Write("DIALECTS.INI", "[dialects]\r\n1033=\"1031 \"\r\n");
    try {
        ChooseLanguage(folder.Path(), 2055);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(std::string(e.what()), "'1031 ' ist kein g\xFCltiger Integerwert");
    }
}

TEST_F(Language, TextsFromTheChosenSectionElseFromTheProgramsCopyOfTheSameLanguage) {
    // An older popup.ini: keys it lacks, or holds empty, come from the texts
    // the program carries for that language, never from another language.
    folder.Write("popup.ini", kPopupIni);
    const LanguageTexts english = ReadLanguageTexts(folder.Path(), 1033);
    EXPECT_EQ(english[TextKey::Active], "&Block popups");
    EXPECT_EQ(english[TextKey::Quit], "&Quit");
    EXPECT_EQ(english[TextKey::Exceptions], "&Edit exceptions"); // present but empty
    EXPECT_EQ(english[TextKey::Pause], "&Pause blocking");       // absent
    EXPECT_EQ(Counted(english.language, english[CountedKey::BlockedCount], 1, "2"),
              "1 popup blocked today, 2 in all");
    EXPECT_EQ(Counted(english.language, english[CountedKey::BlockedCount], 5, "2"), "5 blocked, 2");

    const LanguageTexts german = ReadLanguageTexts(folder.Path(), 1031);
    EXPECT_EQ(german[TextKey::Active], "&Blockieren");
    EXPECT_EQ(german[TextKey::Label1], "eins\r\nzwei");
    EXPECT_EQ(german[TextKey::Pause], "Blockieren pa&usieren");

    EXPECT_EQ(ReadLanguageTexts(folder.Path(), 1036)[TextKey::Active], "&Bloquer les popups");
    // A language the program has no texts of: the built-in ones.
    EXPECT_EQ(ReadLanguageTexts(folder.Path(), 1079)[TextKey::Active],
              BuiltInTexts()[TextKey::Active]);
}

TEST(OwnLanguageTexts, AreTheShippedPopupIniPackedAndUnpacked) {
    const std::string own = UnpackedProgramData(kOwnLanguageFile);
    EXPECT_EQ(own, ReadWholeFile(STILVANE_PACKAGE_DIR "\\popup.ini"));
    // Packed, not stored: the texts of 24 languages, in six scripts, pack to
    // under a third (a block that does not pack would be stored as it is).
    EXPECT_LT(ProgramData(kOwnLanguageFile).size() * 5, own.size() * 2);
}

TEST_F(Language, SectionNamesInFileOrder) {
    folder.Write("popup.ini", "[b]\r\nx=1\r\n[a]\r\n[1033]\r\n");
    EXPECT_EQ(ReadIniSections(folder.File("popup.ini")),
              (std::vector<std::string>{"b", "a", "1033"}));
    EXPECT_TRUE(ReadIniSections(folder.File("absent.ini")).empty());
}

TEST_F(Language, ValuesAreCutAt2047Characters) {
    folder.Write("popup.ini", "[1033]\r\nLabel1=" + std::string(3000, 'w') + "\r\n");
    EXPECT_EQ(ReadIniString(folder.File("popup.ini"), "1033", "Label1").size(), 2047u);
    EXPECT_EQ(ReadIniString(folder.File("absent.ini"), "1033", "Label1"), "");
}

TEST_F(Language, DistributedPopupIniHasBothLanguagesAndAllKeys) {
    // The popup.ini shipped in the program folder.
    const char* shipped = STILVANE_PACKAGE_DIR "\\popup.ini";
    const auto sections = ReadIniSections(shipped);
    for (const char* section : {"1031", "1033"}) {
        EXPECT_NE(std::find(sections.begin(), sections.end(), section), sections.end());
        for (const TextKey key : kTextKeys)
            EXPECT_NE(ReadIniString(shipped, section, KeyOf(key)), "")
                << section << " " << KeyOf(key);
    }
    // The German texts are the built-in ones of the menu, the buttons and the
    // reset question, and of the label but for one row worded shorter so that
    // it fits in wider fonts.
    const LanguageTexts german = ReadLanguageTexts(STILVANE_PACKAGE_DIR, 1031);
    for (const TextKey key :
         {TextKey::Active, TextKey::Exceptions, TextKey::Sound, TextKey::Quit,
          TextKey::ButtonDelete, TextKey::ButtonAdd, TextKey::ButtonReset, TextKey::AskResetCount})
        EXPECT_EQ(german[key], BuiltInTexts()[key]);
    EXPECT_EQ(german[TextKey::Label1].substr(0, 115),
              BuiltInTexts()[TextKey::Label1].substr(0, 115));
}

} // namespace
} // namespace stilvane
