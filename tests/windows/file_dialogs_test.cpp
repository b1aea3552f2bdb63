// The system's file dialogs, shown for real and answered as a user would; a
// program of its own, so that no dialog came before.
#include "framework/gui/file_dialogs.h"
#include "framework/system/ansi_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace stilvane::testing {
namespace {

TEST(FileDialogs, LoadTheirLibraryAtTheFirstDialogAndAnswerWhatTheUserChose) {
    EXPECT_EQ(::GetModuleHandleA("comdlg32.dll"), nullptr);
    ScratchDirectory folder;
    const std::vector<FileFilter> filters{{"Text files", "*.txt;*.ini"}, {"All files", "*.*"}};
    const std::string name = folder.File("chosen.ini");
    {
        MessageBoxAnswerer ok(IDOK);
        EXPECT_EQ(ChooseFileToSave(nullptr, filters, name), AnsiToWide(name));
    }
    EXPECT_NE(::GetModuleHandleA("comdlg32.dll"), nullptr);
    MessageBoxAnswerer cancel(IDCANCEL);
    EXPECT_EQ(ChooseFileToOpen(nullptr, filters), std::nullopt);
}

} // namespace
} // namespace stilvane::testing
