// The system's dialogs for choosing a file to open or to save. The names
// come back as Unicode text: a name outside the ANSI code page is a name too.
// Their library is loaded at the first dialog; when it cannot be, the
// dialog raises EOSError.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace stilvane {

struct FileFilter {
    std::string name;     // "Text files (*.txt;*.ini)"
    std::string patterns; // "*.txt;*.ini"
};

// The full path the user chose, or nullopt when the dialog was cancelled.
std::optional<std::wstring> ChooseFileToOpen(HWND owner, const std::vector<FileFilter>& filters);
// Asks before replacing an existing file; `defaultName` fills the name field.
std::optional<std::wstring> ChooseFileToSave(HWND owner, const std::vector<FileFilter>& filters,
                                             const std::string& defaultName);

} // namespace stilvane
