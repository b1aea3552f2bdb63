// The rules a translator cannot see for themselves, held against the shipped
// popup.ini and DIALECTS.INI through the platform's INI reader and, for the
// label, the main window's real font. A failure names the language id.
#include "components/MarkupLabel.h"
#include "components/markup.h"
#include "framework/dpi.h"
#include "framework/file_io.h"
#include "framework/int_text.h"
#include "framework/path.h"
#include "framework/text.h"
#include "settings/marl_INI.h"
#include "settings/plural_forms.h"
#include "ui/tray_tip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace stilvane {
namespace {

const std::string kPackage = STILVANE_PACKAGE_DIR;
const std::string kPopupIni = FileInDirectory(kPackage, kLanguageFileName);
const std::string kDialectsIni = FileInDirectory(kPackage, kDialectsFileName);

struct Sections {
    std::vector<std::string> full, stubs;
};

Sections ShippedSections() {
    Sections sections;
    for (const std::string& name : ReadIniSections(kPopupIni)) {
        bool any = false;
        for (const auto& key : LanguageKeys())
            any = any || !ReadIniString(kPopupIni, name, key.key).empty();
        (any ? sections.full : sections.stubs).push_back(name);
    }
    return sections;
}

// The letter after the single "&" of a caption, lower case; 0 for none.
char AccessKey(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        char key[2] = {caption[i + 1], 0};
        ::CharLowerA(key);
        return key[0];
    }
    return 0;
}

void ExpectUniqueAccessKeys(const std::string& section, const std::vector<std::string>& captions) {
    std::set<char> keys;
    for (const std::string& caption : captions) {
        const char key = AccessKey(caption);
        EXPECT_NE(key, 0) << "[" << section << "] no access key in " << caption;
        EXPECT_TRUE(keys.insert(key).second)
            << "[" << section << "] access key '" << key << "' twice: " << caption;
    }
}

// The forms of a counted text a language needs: the plural always, the
// singular and the "few" form where its numbers use them.
std::vector<PluralForm> NeededForms(LanguageId language) {
    std::set<PluralForm> forms{PluralForm::Other};
    for (std::uint64_t n = 0; n < 200; ++n)
        forms.insert(PluralFormOf(language, n));
    return {forms.begin(), forms.end()};
}

TEST(ShippedLanguages, EveryFullSectionHasAllKeysAndUniqueAccessKeys) {
    const Sections sections = ShippedSections();
    EXPECT_GE(sections.full.size(), 12u);
    for (const std::string& section : sections.full) {
        const auto language = static_cast<LanguageId>(StrToInt(section));
        for (const auto& key : LanguageKeys())
            EXPECT_NE(ReadIniString(kPopupIni, section, key.key), "")
                << "[" << section << "] lacks " << key.key;
        for (const auto& key : CountedKeys())
            for (const PluralForm form : NeededForms(language)) {
                const std::string name = std::string(key.key) + PluralKeySuffix(form);
                const std::string text = ReadIniString(kPopupIni, section, name);
                EXPECT_NE(text.find("%1"), std::string::npos) << "[" << section << "] " << name;
            }
        const LanguageTexts texts = ReadLanguageTexts(kPackage, language);
        ExpectUniqueAccessKeys(
            section, {texts.active, texts.pause, texts.exceptions, texts.sound, texts.quit});
        ExpectUniqueAccessKeys(section,
                               {texts.pause5, texts.pause15, texts.pause60, texts.pauseSignIn});
        ExpectUniqueAccessKeys(section, {texts.buttonDelete, texts.buttonAdd, "&Ok"});
        ExpectUniqueAccessKeys(section, {texts.listRemove, texts.listSelectAll, texts.listCopy,
                                         texts.listPaste, texts.listImport, texts.listExport});
        // What fills in each placeholder: "%1", or "%1" and "%2".
        for (const std::string* one : {&texts.pausedUntil, &texts.askNotText})
            EXPECT_NE(one->find("%1"), std::string::npos) << "[" << section << "] " << *one;
        for (const std::string* two :
             {&texts.noteAdded, &texts.blockedCount.other, &texts.refusedTooLong.other,
              &texts.errorPauseStart, &texts.errorPauseEnd, &texts.errorCount, &texts.errorImport,
              &texts.errorExport, &texts.errorMergeRead, &texts.errorBackup})
            EXPECT_TRUE(two->find("%1") != std::string::npos &&
                        two->find("%2") != std::string::npos)
                << "[" << section << "] " << *two;
        // Tooltip rows at their longest: a long time format, the highest counts.
        const std::string max = "4294967295";
        for (const std::string& row : {FillIn(texts.pausedUntil, "11:59 vorm."), texts.pausedSignIn,
                                       Counted(language, texts.blockedCount, 4294967295u, max)})
            EXPECT_LE(row.size(), kTipChars) << "[" << section << "] " << row;
    }
}

TEST(ShippedLanguages, EveryRegionalVariantLeadsToAFullSection) {
    const Sections sections = ShippedSections();
    for (const std::string& stub : sections.stubs) {
        const std::string target = ReadIniString(kDialectsIni, kDialectsSection, stub);
        EXPECT_NE(target, "") << "[" << stub << "] is not mapped in DIALECTS.INI";
        const auto chosen = ChooseLanguage(kPackage, static_cast<LanguageId>(StrToInt(stub)));
        ASSERT_TRUE(chosen.has_value());
        EXPECT_NE(std::find(sections.full.begin(), sections.full.end(), std::to_string(*chosen)),
                  sections.full.end())
            << "[" << stub << "] leads to " << *chosen << ", which has no texts";
    }
    // English variants need no entry: they fall back to 1033 by themselves.
    EXPECT_EQ(ChooseLanguage(kPackage, 2057), LanguageId{1033});
}

TEST(ShippedLanguages, EveryByteIsWindows1252Text) {
    for (const std::string& file : {kPopupIni, kDialectsIni}) {
        const std::string bytes = ReadWholeFile(file);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            const bool undefined =
                byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
            const bool control = byte < 0x20 && byte != '\r' && byte != '\n';
            EXPECT_FALSE(undefined || control)
                << file << ": byte " << int(byte) << " at " << i << " in \""
                << bytes.substr(bytes.rfind('\n', i) + 1, 60) << "\"";
        }
    }
}

TEST(ShippedLanguages, TheLabelFitsItsPlaceInEveryLanguageAtEveryScale) {
    TMarkupLabel label(nullptr, nullptr);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    for (const int dpi : {96, 120, 144, 192}) {
        TCanvas canvas(memory);
        canvas.font = FontSpec(); // the main window's font, as scaled for `dpi`
        canvas.font.height = ScaleToDpi(canvas.font.height, dpi);
        const int rowHeight = label.RowHeight(canvas);
        const int height = ScaleToDpi(54, dpi), width = ScaleToDpi(385, dpi);
        for (const std::string& section : ShippedSections().full) {
            const auto rows = SplitLines(ReadLanguageTexts(kPackage, StrToInt(section)).label1);
            EXPECT_LE(static_cast<int>(rows.size()) * rowHeight, height)
                << "[" << section << "] " << rows.size() << " rows at " << dpi << " dpi";
            int widest = 0;
            for (const std::string& row : rows) {
                widest = std::max(widest, MeasureMarkupLine(canvas, row));
                EXPECT_LE(widest, width) << "[" << section << "] at " << dpi << " dpi: " << row;
            }
            std::printf("[%s] at %d dpi: widest row of Label1 %d pixels of %d\n", section.c_str(),
                        dpi, widest, width);
        }
    }
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

} // namespace
} // namespace stilvane
