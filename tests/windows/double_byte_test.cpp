// Text in a double-byte code page (run with a Japanese system locale, code
// page 932), where the second byte of a character can be a backslash, a "|"
// or a letter: a program folder, a label text, an exception entry and a tip.
#include "app/global.h"
#include "components/markup.h"
#include "framework/portable/path.h"
#include "framework/portable/text.h"
#include "framework/system/ansi_text.h"
#include "framework/system/file_io.h"
#include "settings/marl_INI.h"
#include "settings/marl_REG.h"
#include "test_support.h"
#include "ui/editor/exceptions_file.h"
#include "ui/form_Stilvane.h"
#include "ui/tray/tray_tip.h"

#include <gtest/gtest.h>

namespace stilvane {
namespace {

// "表示" in Shift-JIS: its first character ends in 0x5C, a backslash.
const std::string kHyouji = "\x95\x5C\x8E\xA6";
const std::wstring kHyoujiWide = L"\x8868\x793A";

TEST(DoubleByte, TheSystemCodePageIsJapanese) {
    ASSERT_EQ(::GetACP(), 932u) << "run with LC_ALL=ja_JP.UTF-8";
}

TEST(DoubleByte, AFolderWithABackslashAsSecondByteIsTheProgramFolder) {
    testing::ScratchDirectory scratch;
    const std::wstring folder = AnsiToWide(scratch.Path()) + L"\\" + kHyoujiWide;
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const std::string ansi = PathForAnsiCalls(DirectoryOfPath(folder + L"\\Stilvane.exe"));
    EXPECT_EQ(ansi, scratch.Path() + "\\" + kHyouji);
    ReplaceFileContent(folder + L"\\popup.ini", "[1041]\r\nActive=&B\r\n");
    EXPECT_EQ(ChooseLanguage(ansi, 1041), LanguageId{1041}); // found through the ANSI calls
    testing::ScratchKey key;
    TrayShell shell;
    shell.notify = [](DWORD, NOTIFYICONDATAA&) { return TRUE; };
    shell.findTaskbar = [] { return static_cast<HWND>(nullptr); };
    shell.taskbarDpi = [] { return 96; };
    {
        TForm_Stilvane form(SharedSettings(HKEY_CURRENT_USER, key.Path()), ansi, &::GetTickCount,
                            shell);
        EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, key.Path(), "PopupBlocker_Dir"), ansi);
        // An exception with the same backslash byte, shown and saved as it is.
        ReplaceFileContent(folder + L"\\popup-exp.ini", kHyouji + ".example\r\n");
        form.ExceptionsClick(nullptr);
        EXPECT_EQ(form.Editor->ListBox1->Items(), std::vector<std::string>{kHyouji + ".example"});
        EXPECT_EQ(form.Editor->ListBox1->FindExact(kHyouji + ".example"), 0);
        form.Editor->Button_OkClick(nullptr);
        EXPECT_EQ(ReadWholeFile(folder + L"\\popup-exp.ini"), kHyouji + ".example\r\n");
        // The longest entry counts characters, not their bytes.
        testing::MessageBoxAnswerer answerer;
        form.ExceptionsClick(nullptr);
        ::SetWindowTextW(form.Editor->Edit1->Handle(), std::wstring(2083, L'\x8868').c_str());
        form.Editor->Button_AddClick(nullptr);
        EXPECT_EQ(form.Editor->ListBox1->Count(), 2);
        EXPECT_TRUE(answerer.Texts().empty());
    }
    ::DeleteFileW((folder + L"\\popup.ini").c_str());
    ::DeleteFileW((folder + L"\\popup-exp.ini").c_str());
    ::RemoveDirectoryW(folder.c_str());
}

TEST(DoubleByte, TheLabelBreaksAtTheDegreeSignAndItsMarkupStaysWhole) {
    testing::ScratchDirectory folder;
    // "表示" ° "表<b>示</b>", and a half-width katakana 0xB0, which is no degree sign.
    folder.Write("popup.ini",
                 "[1041]\r\nLabel1=" + kHyouji + "\x81\x8B" + "\x95\x5C<b>\x8E\xA6</b>\xB0\r\n");
    const std::string label = ReadLanguageTexts(folder.Path(), 1041)[TextKey::Label1];
    EXPECT_EQ(label, kHyouji + "\r\n" + "\x95\x5C<b>\x8E\xA6</b>\xB0");
    EXPECT_EQ(markup::PlainText(label), kHyouji + "\r\n" + kHyouji + "\xB0");
}

TEST(DoubleByte, ATipIsCutBetweenCharactersAndAtATrueBar) {
    // "表" twice: the tip's first row is cut to whole characters; a 0x7C as
    // a second byte ("｜" is 0x81 0x62; "ン" 0x83 0x93) is no separator.
    std::string many = "a";
    for (int i = 0; i < 100; ++i)
        many += "\x95\x5C";
    const std::string tip = TrayTip(many, "x", &IsLeadByte);
    ASSERT_EQ(tip.substr(tip.size() - 3), "\r\nx");
    EXPECT_EQ(tip.size() % 2, 0u);       // "a", whole characters of two bytes, CR LF and "x"
    const std::string bar = "\x83\x7C|"; // a character ending in 0x7C, then a "|"
    EXPECT_EQ(FindCharacter(bar, '|', &IsLeadByte), 2u);
}

} // namespace
} // namespace stilvane
