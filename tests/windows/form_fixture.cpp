#include "form_fixture.h"

namespace stilvane::testing {

using testing::ScratchDirectory;
using testing::ScratchKey;

std::string IconKind(HICON icon) {
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info))
        return "none";
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixels(16 * 16);
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, info.hbmColor, 0, 16, pixels.data(), &format, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    int green = 0, red = 0, grey = 0, amber = 0;
    for (const DWORD pixel : pixels) {
        const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
        green += g > r + 60 && g > b + 40;
        red += r > g + 80 && r > b + 80;
        grey += r > 60 && r < 235 && std::abs(r - g) < 14 && std::abs(r - b) < 14;
        amber += r > 150 && r >= g && g > b + 60;
    }
    if (green > 15 && green > red && green > grey)
        return "on";
    if (red > 15 && red > grey)
        return "blocked";
    if (amber > 15 && amber > grey)
        return "paused";
    return grey > 15 ? "off" : "other";
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    BITMAP bitmap{};
    if (icon && ::GetIconInfo(icon, &info))
        ::GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

RECT PlaceOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void HoldKeys(std::initializer_list<int> keys) {
    BYTE state[256] = {};
    for (const int key : keys)
        state[key] = 0x80;
    ::SetKeyboardState(state);
}

void PutOnClipboard(const std::wstring& text) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(::GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);
    ::CloseClipboard();
}

std::string Title(HWND window) {
    char title[128] = {};
    ::GetWindowTextA(window, title, sizeof title);
    return title;
}

void SetAccess(const std::string& path, bool write) {
    HKEY key = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, 0, 0, WRITE_DAC, 0, &key, 0);
    ::ConvertStringSecurityDescriptorToSecurityDescriptorA(
        write ? "D:(A;;KA;;;WD)" : "D:(A;;KR;;;WD)", SDDL_REVISION_1, &sd, nullptr);
    EXPECT_EQ(::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd), ERROR_SUCCESS);
    ::LocalFree(sd);
    ::RegCloseKey(key);
}

} // namespace stilvane::testing
