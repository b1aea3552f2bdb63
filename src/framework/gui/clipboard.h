// The clipboard's text, read and written as Unicode (the system offers it
// as ANSI text too).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace stilvane {

// The clipboard's Unicode text up to its first NUL; nullopt when it holds no
// text or cannot be opened (another program holds it).
std::optional<std::wstring> ReadClipboardText(HWND owner);

// Replaces the clipboard's content with `text`; false when the clipboard
// could not be opened or the memory not had.
bool WriteClipboardText(HWND owner, const std::wstring& text);

} // namespace stilvane
