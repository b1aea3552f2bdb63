#include "ui/theme/dark_mode.h"

#include "framework/portable/errors.h"
#include "framework/system/registry.h"
#include "settings/registry_number.h"

#include <dwmapi.h>

namespace stilvane {

namespace {

// DWMWA_USE_IMMERSIVE_DARK_MODE; Windows 10 before build 18985 knew it as 19.
constexpr DWORD kImmersiveDarkMode = 20;
constexpr DWORD kImmersiveDarkModeBefore20H1 = 19;

// Dark menus exist only as uxtheme exports without names or documentation:
// SetPreferredAppMode (ordinal 135) and FlushMenuThemes (136). Before Windows
// 10 1903 (build 18362) ordinal 135 was another function, taking other
// arguments, so older builds are never asked.
constexpr DWORD kFirstBuildWithAppModes = 18362;
constexpr WORD kSetPreferredAppMode = 135;
constexpr WORD kFlushMenuThemes = 136;
enum PreferredAppMode { kDefaultMode = 0, kForceDark = 2 };
using SetPreferredAppModeFn = int(WINAPI*)(int mode);
using FlushMenuThemesFn = void(WINAPI*)();

DWORD WindowsBuild() {
    // The real build: GetVersionEx answers what the manifest lets it.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto getVersion = reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    return getVersion && getVersion(&version) == 0 ? version.dwBuildNumber : 0;
}

template <typename Function> Function UxThemeOrdinal(WORD ordinal) {
    static const bool known = WindowsBuild() >= kFirstBuildWithAppModes;
    const HMODULE uxtheme = known ? ::GetModuleHandleA("uxtheme.dll") : nullptr;
    return uxtheme ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(
                         ::GetProcAddress(uxtheme, MAKEINTRESOURCEA(ordinal))))
                   : nullptr;
}

} // namespace

bool SystemHighContrast() {
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

bool AppsUseLightTheme(HKEY root, const std::string& path) {
    const RegistryKey key = RegistryKey::Open(root, path, KEY_QUERY_VALUE);
    if (!key)
        return true;
    try {
        const auto value = key.Query("AppsUseLightTheme", sizeof(DWORD));
        const auto light =
            value ? ReadRegNumber(value->type, value->size, value->data).Dword() : std::nullopt;
        return light.value_or(1) != 0;
    } catch (const ERegistryException&) {
        return true;
    }
}

void SetDarkTitleBar(HWND window, bool dark) {
    const BOOL value = dark;
    if (FAILED(::DwmSetWindowAttribute(window, kImmersiveDarkMode, &value, sizeof value)))
        ::DwmSetWindowAttribute(window, kImmersiveDarkModeBefore20H1, &value, sizeof value);
    // The frame is drawn anew only when told to.
    if (::IsWindowVisible(window))
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void SetDarkMenus(bool dark) {
    const auto setMode = UxThemeOrdinal<SetPreferredAppModeFn>(kSetPreferredAppMode);
    const auto flush = UxThemeOrdinal<FlushMenuThemesFn>(kFlushMenuThemes);
    if (!setMode || !flush)
        return;
    setMode(dark ? kForceDark : kDefaultMode);
    flush();
}

} // namespace stilvane
