// The rules a translator cannot see for themselves, held against the shipped
// popup.ini and DIALECTS.INI through the platform's INI reader and, for the
// label, the main window's real font. Each section is read in the ANSI code
// page of its language's Windows. A failure names the language id.
#include "components/markup.h"
#include "framework/gui/scaled_window.h"
#include "framework/portable/dpi.h"
#include "framework/portable/int_text.h"
#include "framework/portable/path.h"
#include "framework/portable/text.h"
#include "framework/system/file_io.h"
#include "settings/language/plural_forms.h"
#include "settings/marl_INI.h"
#include "ui/tray/tray_tip.h"

#include <shellapi.h>

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
        for (const TextKey key : kTextKeys)
            any = any || !ReadIniString(kPopupIni, name, KeyOf(key)).empty();
        (any ? sections.full : sections.stubs).push_back(name);
    }
    return sections;
}

// The ANSI code page of the Windows of `language`, in which its section is
// written.
UINT CodePageOf(LanguageId language) {
    DWORD codePage = 0;
    ::GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT),
                     LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                     reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(wchar_t));
    return codePage ? codePage : 1252;
}

// `text` read in `codePage`; empty when a byte sequence is no character of it.
std::wstring Decoded(const std::string& text, UINT codePage) {
    const int size = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(),
                          static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

// The character after the single "&" of a caption, lower case; 0 for none.
wchar_t AccessKey(const std::wstring& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return static_cast<wchar_t>(reinterpret_cast<std::uintptr_t>(
            ::CharLowerW(reinterpret_cast<LPWSTR>(static_cast<std::uintptr_t>(caption[i + 1])))));
    }
    return 0;
}

void ExpectUniqueAccessKeys(const std::string& section, const std::vector<std::string>& captions) {
    std::set<wchar_t> keys;
    for (const std::string& caption : captions) {
        const wchar_t key = AccessKey(Decoded(caption, CodePageOf(StrToInt(section))));
        EXPECT_NE(key, 0) << "[" << section << "] no access key in " << caption;
        EXPECT_TRUE(keys.insert(key).second)
            << "[" << section << "] access key " << int(key) << " twice: " << caption;
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
    EXPECT_GE(sections.full.size(), 24u);
    for (const std::string& section : sections.full) {
        const auto language = static_cast<LanguageId>(StrToInt(section));
        for (const TextKey key : kTextKeys)
            EXPECT_NE(ReadIniString(kPopupIni, section, KeyOf(key)), "")
                << "[" << section << "] lacks " << KeyOf(key);
        for (const CountedKey key : kCountedKeys)
            for (const PluralForm form : NeededForms(language)) {
                const std::string name = std::string(KeyOf(key)) + PluralKeySuffix(form);
                const std::string text = ReadIniString(kPopupIni, section, name);
                EXPECT_NE(text.find("%1"), std::string::npos) << "[" << section << "] " << name;
            }
        const LanguageTexts texts = ReadLanguageTexts(kPackage, language);
        ExpectUniqueAccessKeys(section, {texts[TextKey::Active], texts[TextKey::Pause],
                                         texts[TextKey::Exceptions], texts[TextKey::Sound],
                                         texts[TextKey::Quit], texts[TextKey::SitesRecent],
                                         texts[TextKey::NotifyBlocked]});
        ExpectUniqueAccessKeys(section, {texts[TextKey::Pause5], texts[TextKey::Pause15],
                                         texts[TextKey::Pause60], texts[TextKey::PauseSignIn]});
        ExpectUniqueAccessKeys(section,
                               {texts[TextKey::ButtonDelete], texts[TextKey::ButtonAdd], "&Ok"});
        ExpectUniqueAccessKeys(section, {texts[TextKey::ListRemove], texts[TextKey::ListSelectAll],
                                         texts[TextKey::ListCopy], texts[TextKey::ListPaste],
                                         texts[TextKey::ListImport], texts[TextKey::ListExport]});
        ExpectUniqueAccessKeys(section, {texts[TextKey::ButtonReset], texts[TextKey::ButtonClose]});
        // What fills in each placeholder: "%1", or "%1" and "%2".
        for (const std::string* one :
             {&texts[TextKey::PausedUntil], &texts[TextKey::AskNotText],
              &texts[TextKey::AskAllowSite], &texts[TextKey::BalloonBlocked],
              &texts[TextKey::BalloonBlockedOnly]})
            EXPECT_NE(one->find("%1"), std::string::npos) << "[" << section << "] " << *one;
        for (const std::string* two :
             {&texts[TextKey::NoteAdded], &texts[CountedKey::BlockedCount].other,
              &texts[CountedKey::RefusedTooLong].other, &texts[TextKey::ErrorPauseStart],
              &texts[TextKey::ErrorPauseEnd], &texts[TextKey::ErrorCount],
              &texts[TextKey::ErrorImport], &texts[TextKey::ErrorExport],
              &texts[TextKey::ErrorMergeRead], &texts[TextKey::ErrorBackup],
              &texts[TextKey::ErrorManaged], &texts[TextKey::AskGuessed],
              &texts[TextKey::SitesToday], &texts[TextKey::NoteSiteCovered],
              &texts[CountedKey::StatisticsTopSite].other, &texts[TextKey::ErrorSites]})
            EXPECT_TRUE(two->find("%1") != std::string::npos &&
                        two->find("%2") != std::string::npos)
                << "[" << section << "] " << *two;
        // Failures name what failed and why, but for the program's own German.
        for (const std::string* error :
             {&texts[TextKey::ErrorFileOpen], &texts[TextKey::ErrorFileCreate],
              &texts[TextKey::ErrorFileWrite], &texts[TextKey::ErrorRegRead],
              &texts[TextKey::ErrorRegWrite]})
            EXPECT_TRUE(language == 1031 || (error->find("%1") != std::string::npos &&
                                             error->find("%2") != std::string::npos))
                << "[" << section << "] " << *error;
        // Tooltip rows at their longest: a long time format, the highest counts.
        const std::string max = "4294967295";
        for (const std::string& row :
             {FillIn(texts[TextKey::PausedUntil], "11:59 vorm."), texts[TextKey::PausedSignIn],
              Counted(language, texts[CountedKey::BlockedCount], 4294967295u, max)})
            EXPECT_LE(row.size(), kTipChars) << "[" << section << "] " << row;
        // The balloon's text whole, as the shell's record holds it.
        EXPECT_LT(texts[TextKey::BalloonWelcome].size(), sizeof NOTIFYICONDATAA{}.szInfo)
            << "[" << section << "]";
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

TEST(ShippedLanguages, EveryLineIsTextOfItsSectionsCodePage) {
    for (const std::string& file : {kPopupIni, kDialectsIni}) {
        UINT codePage = 20127; // US-ASCII outside the sections
        for (const std::string& line : SplitLines(ReadWholeFile(file), "\r\n")) {
            if (line.starts_with("["))
                codePage = file == kPopupIni
                               ? CodePageOf(StrToInt(line.substr(1, line.find(']') - 1)))
                               : 20127;
            const std::wstring text = Decoded(line, codePage);
            EXPECT_TRUE(!text.empty() || line.empty()) << file << " (" << codePage << "): " << line;
            for (const wchar_t c : text)
                EXPECT_FALSE(c < 0x20 || (c >= 0x7F && c < 0xA0)) << file << ": " << line;
        }
    }
}

// Width of a row of markup in the label's fonts, its runs read in `codePage`:
// the runs' widths plus 4, as the label measures it.
int RowWidth(HDC dc, const std::string& row, UINT codePage, const FontSpec& font) {
    markup::Style style{};
    TColor colour = 0;
    int width = 4;
    for (const markup::Piece& piece : markup::ScanRow(row)) {
        if (piece.isTag) {
            markup::ApplyTag(piece, style, colour);
            continue;
        }
        FontSpec styled = font;
        styled.style = {style.bold, style.italic, style.underline};
        const UniqueFont handle = CreateFontFrom(styled);
        const HGDIOBJ old = ::SelectObject(dc, handle.Get());
        const std::wstring run =
            Decoded(row.substr(piece.begin, piece.end - piece.begin), codePage);
        SIZE size{};
        ::GetTextExtentPoint32W(dc, run.data(), static_cast<int>(run.size()), &size);
        ::SelectObject(dc, old);
        width += size.cx;
    }
    return width;
}

TEST(ShippedLanguages, TheLabelFitsItsPlaceInEveryLanguageAtEveryScale) {
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    for (const int dpi : {96, 120, 144, 192}) {
        const FontSpec font = FontForDpi(dpi);
        const UniqueFont plain = CreateFontFrom(font);
        const HGDIOBJ old = ::SelectObject(memory, plain.Get());
        SIZE row{};
        ::GetTextExtentPoint32W(memory, L"W", 1, &row);
        ::SelectObject(memory, old);
        const int height = ScaleToDpi(54, dpi), width = ScaleToDpi(385, dpi);
        for (const std::string& section : ShippedSections().full) {
            const UINT codePage = CodePageOf(StrToInt(section));
            // The rows as the program splits them: at the code page's degree sign.
            std::string label = ReadIniString(kPopupIni, section, "Label1");
            for (std::size_t at = 0; at < label.size();) {
                const std::wstring one = Decoded(label.substr(at, 1), codePage);
                const std::size_t length = one.empty() ? 2 : 1;
                if (Decoded(label.substr(at, length), codePage) == L"\u00B0")
                    label.replace(at, length, "\r\n");
                at += length;
            }
            const auto rows = SplitLines(label);
            EXPECT_LE(static_cast<int>(rows.size()) * row.cy, height)
                << "[" << section << "] " << rows.size() << " rows at " << dpi << " dpi";
            int widest = 0;
            for (const std::string& text : rows) {
                widest = std::max(widest, RowWidth(memory, text, codePage, font));
                EXPECT_LE(widest, width) << "[" << section << "] at " << dpi << " dpi: " << text;
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
