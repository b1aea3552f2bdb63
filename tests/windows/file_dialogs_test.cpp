// The system's file dialogs, shown for real and answered as a user would.
// A program of its own: nothing before it may have opened a dialog.
#include "framework/ansi_text.h"
#include "framework/file_dialogs.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace stilvane {
namespace {

using testing::MessageBoxAnswerer;
using testing::ScratchDirectory;

TEST(FileDialogs, LoadTheirLibraryAtTheFirstDialogAndAnswerWhatTheUserChose) {
    // Not at start: the library and the printing ones it brings cost memory
    // for as long as the program runs.
    EXPECT_EQ(::GetModuleHandleA("comdlg32.dll"), nullptr);
    ScratchDirectory folder;
    const std::vector<FileFilter> filters{{"Text files", "*.txt;*.ini"}, {"All files", "*.*"}};
    const std::string name = folder.File("chosen.ini");
    {
        MessageBoxAnswerer ok(IDOK);
        EXPECT_EQ(ChooseFileToSave(nullptr, filters, name), AnsiToWide(name));
    }
    EXPECT_NE(::GetModuleHandleA("comdlg32.dll"), nullptr);
    folder.Write("chosen.ini", "x");
    {
        MessageBoxAnswerer cancel(IDCANCEL);
        EXPECT_EQ(ChooseFileToOpen(nullptr, filters), std::nullopt);
    }
}

} // namespace
} // namespace stilvane
