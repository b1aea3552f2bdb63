#include "framework/portable/path.h"

#include <gtest/gtest.h>

#include <string>

namespace stilvane {
namespace {

TEST(ProgramDirectory, IsTheExecutablesDirectoryWithoutTrailingBackslash) {
    struct Case {
        const char* path;
        const char* directory;
    } cases[] = {
        {"C:\\Programme\\Blocker\\app.exe", "C:\\Programme\\Blocker"},
        {"C:\\app.exe", "C:"},
        {"c:\\PROGRA~1\\Blocker\\APP.EXE", "c:\\PROGRA~1\\Blocker"},
        {"\\\\server\\share\\dir\\app.exe", "\\\\server\\share\\dir"},
        {"C:\\dir\\", "C:"},
        {"C:\\dir\\a", "C:\\dir"},
        {"app.exe", ""},
        {"", ""},
        {"\\", ""},
        {"a", ""},
        {"\\a", ""},
        {"\\\\", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DirectoryOfPath(c.path), c.directory) << c.path;
    // As Unicode text, where no character hides a backslash.
    EXPECT_EQ(DirectoryOfPath(std::wstring(L"C:\\\x8868\x793A\\app.exe")), L"C:\\\x8868\x793A");
}

TEST(ProgramDirectory, LongPathIsNotCut) {
    const std::string directory = "C:\\" + std::string(400, 'd') + "\\" + std::string(300, 'e');
    const std::string path = directory + "\\app.exe";
    // Behaves like GetModuleFileNameA: cuts to the buffer and returns its size.
    int calls = 0;
    const std::string read = ReadWholeText(261, [&](char* buffer, std::size_t size) {
        ++calls;
        const std::size_t n = std::min(size, path.size());
        path.copy(buffer, n);
        if (n < size)
            buffer[n] = '\0';
        return n;
    });
    EXPECT_EQ(read, path);
    EXPECT_GT(calls, 1);
    EXPECT_EQ(DirectoryOfPath(read), directory);
}

TEST(ProgramDirectory, PathOfExactlyTheBufferSizeIsReadAgainLarger) {
    const std::string path(261, 'p');
    const std::string read = ReadWholeText(261, [&](char* buffer, std::size_t size) {
        const std::size_t n = std::min(size, path.size());
        path.copy(buffer, n);
        return n;
    });
    EXPECT_EQ(read, path);
}

TEST(ProgramDirectory, FailureAndEndlessGrowthGiveEmptyText) {
    EXPECT_EQ(ReadWholeText(261, [](char*, std::size_t) { return std::size_t{0}; }), "");
    EXPECT_EQ(ReadWholeText(261, [](char*, std::size_t size) { return size; }), "");
}

} // namespace
} // namespace stilvane
