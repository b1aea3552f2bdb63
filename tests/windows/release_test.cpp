// What Windows reads from the shipped executable without running it: the
// version information (Explorer, the list of notification-area icons) and
// the application manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char kShipped[] = STILVANE_DIST_DIR "\\Stilvane.exe";

TEST(Release, VersionInformationNamesTheProduct) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(kShipped, &ignored);
    ASSERT_GT(size, 0u) << kShipped;
    std::vector<char> data(size);
    ASSERT_TRUE(::GetFileVersionInfoA(kShipped, 0, size, data.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(1, 1)); // 1.1
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);             // .0.0
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);

    const std::pair<const char*, const char*> expected[] = {
        {"CompanyName", "Quillane"},
        {"ProductName", "Quillane PopUp Blocker"},
        {"FileDescription", "Quillane PopUp Blocker"},
        {"OriginalFilename", "Stilvane.exe"},
        {"InternalName", "Stilvane.exe"},
        {"FileVersion", "1.1.0"},
        {"ProductVersion", "1.1.0"},
    };
    for (const auto& [name, value] : expected) {
        char* text = nullptr;
        const std::string query = std::string("\\StringFileInfo\\040904E4\\") + name;
        ASSERT_TRUE(
            ::VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&text), &length))
            << name;
        EXPECT_EQ(std::string(text), value) << name;
    }
}

TEST(Release, ManifestRunsAsInvokerPerMonitorAwareWithThemedControls) {
    const HMODULE module = ::LoadLibraryExA(kShipped, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr) << "no manifest resource";
    const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
    const std::string manifest(bytes, ::SizeofResource(module, found));
    ::FreeLibrary(module);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    for (const char* setting : {">true/pm</dpiAware>", ">PerMonitorV2, PerMonitor</dpiAwareness>",
                                "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""})
        EXPECT_NE(manifest.find(setting), std::string::npos) << setting;
    for (const char* os :
         {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
          "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})
        EXPECT_NE(manifest.find(os), std::string::npos) << os;
}

} // namespace
