// Lists the message boxes open on the desktop, for the scenarios: one line
// per box, "caption|text|icon" (icon 1 when the box shows one). With
// "buttons CAPTION" it lists the texts of the buttons of the shown window
// with that caption instead, a line each, in UTF-8.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Box {
    std::string text;
    bool icon = false;
};

BOOL CALLBACK VisitChild(HWND child, LPARAM parameter) {
    auto& box = *reinterpret_cast<Box*>(parameter);
    char className[64] = {};
    ::GetClassNameA(child, className, sizeof className);
    if (std::string(className) != "Static")
        return TRUE;
    const LONG style = ::GetWindowLongA(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
        box.icon = box.icon || ::SendMessageA(child, STM_GETICON, 0, 0) != 0;
        return TRUE;
    }
    char text[4096] = {};
    ::GetWindowTextA(child, text, sizeof text);
    box.text += text;
    return TRUE;
}

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM) {
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || !::IsWindowVisible(window))
        return TRUE;
    char caption[512] = {};
    ::GetWindowTextA(window, caption, sizeof caption);
    Box box;
    ::EnumChildWindows(window, &VisitChild, reinterpret_cast<LPARAM>(&box));
    std::printf("%s|%s|%d\n", caption, box.text.c_str(), box.icon ? 1 : 0);
    return TRUE;
}

BOOL CALLBACK PrintButton(HWND child, LPARAM) {
    wchar_t className[64] = {};
    ::GetClassNameW(child, className, 64);
    if (std::wstring(className) != L"Button")
        return TRUE;
    wchar_t text[512] = {};
    ::GetWindowTextW(child, text, 512);
    char utf8[2048] = {};
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s\n", utf8);
    return TRUE;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "buttons") {
        if (const HWND window = ::FindWindowA(nullptr, argv[2]);
            window && ::IsWindowVisible(window))
            ::EnumChildWindows(window, &PrintButton, 0);
        return 0;
    }
    ::EnumWindows(&VisitTopLevel, 0);
    return 0;
}
