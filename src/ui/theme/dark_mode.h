// How Windows is set for colours, and the system's calls that turn the
// editor's title bar and the program's menus dark. Each call does what the
// system offers: Windows before 10, and Wine, keep the light look.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace stilvane {

constexpr char kPersonalizeKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// Whether the user has high contrast on.
bool SystemHighContrast();

// "AppsUseLightTheme" under `path`: a REG_DWORD, 0 for dark. Absent,
// unreadable, or of another kind or size, it reads as light, the look of
// every Windows before the setting.
bool AppsUseLightTheme(HKEY root, const std::string& path);

// Where the editor learns how Windows is set; tests put in their own.
struct ColorSettings {
    std::function<bool()> highContrast = &SystemHighContrast;
    HKEY root = HKEY_CURRENT_USER;
    std::string personalizeKey = kPersonalizeKey;
};

// The window's title bar dark or light, from Windows 10 1809 on.
void SetDarkTitleBar(HWND window, bool dark);

// The program's popup menus dark or light, from Windows 10 1903 on.
void SetDarkMenus(bool dark);

} // namespace stilvane
