// Reading and replacing files on the real (Wine) file system.
#include "framework/portable/errors.h"
#include "framework/system/file_io.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace stilvane {
namespace {

using testing::ScratchDirectory;

int FilesIn(const ScratchDirectory& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA((folder.Path() + "\\*").c_str(), &entry);
    int count = 0;
    if (find != INVALID_HANDLE_VALUE) {
        do
            count += !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
        while (::FindNextFileA(find, &entry));
        ::FindClose(find);
    }
    return count;
}

TEST(FileIo, ReadsEveryByte) {
    ScratchDirectory folder;
    const std::string bytes("a\0b\r\n\xFF", 6);
    folder.Write("f.ini", bytes);
    EXPECT_EQ(ReadWholeFile(folder.File("f.ini")), bytes);
    const std::string large(300000, 'x');
    folder.Write("large.ini", large);
    EXPECT_EQ(ReadWholeFile(folder.File("large.ini")), large);
}

TEST(FileIo, MissingFileCannotBeOpened) {
    ScratchDirectory folder;
    const std::string path = folder.File("popup-exp.ini");
    try {
        ReadWholeFile(path);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "Datei " + path +
                                             " kann nicht ge\xF6"
                                             "ffnet werden");
    }
    ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr));
    EXPECT_THROW(ReadWholeFile(path), EFOpenError);
}

TEST(FileIo, ReplacesTheContentAndLeavesNoTemporaryFile) {
    ScratchDirectory folder;
    folder.Write("popup-exp.ini", "alt\r\nlang und lang\r\n");
    ReplaceFileContent(folder.File("popup-exp.ini"), "neu\r\n");
    EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")), "neu\r\n");
    ReplaceFileContent(folder.File("popup-exp.ini"), "");
    EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")), "");
    ReplaceFileContent(folder.File("created.ini"), "x\r\n");
    EXPECT_EQ(ReadWholeFile(folder.File("created.ini")), "x\r\n");
    EXPECT_EQ(FilesIn(folder), 2);
}

TEST(FileIo, ReadOnlyFileIsKeptAsItWas) {
    ScratchDirectory folder;
    const std::string path = folder.File("popup-exp.ini");
    folder.Write("popup-exp.ini", "alt\r\n");
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    try {
        ReplaceFileContent(path, "neu\r\n");
        FAIL();
    } catch (const EFCreateError& e) {
        EXPECT_EQ(std::string(e.what()), "Datei " + path + " kann nicht erstellt werden");
    }
    EXPECT_EQ(ReadWholeFile(path), "alt\r\n");
    EXPECT_EQ(FilesIn(folder), 1) << "a temporary file was left behind";
}

TEST(FileIo, MissingDirectoryCannotBeWritten) {
    ScratchDirectory folder;
    const std::string path = folder.File("absent\\popup-exp.ini");
    EXPECT_THROW(ReplaceFileContent(path, "x"), EFCreateError);
    EXPECT_EQ(FilesIn(folder), 0);
}

TEST(FileIo, TargetThatIsADirectoryIsNotReplaced) {
    ScratchDirectory folder;
    const std::string path = folder.File("popup-exp.ini");
    ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr));
    EXPECT_THROW(ReplaceFileContent(path, "x"), EFCreateError);
    EXPECT_EQ(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(FilesIn(folder), 0) << "a temporary file was left behind";
}

} // namespace
} // namespace stilvane
