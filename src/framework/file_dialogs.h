// The system's dialogs for choosing a file to open or to save.
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
std::optional<std::string> ChooseFileToOpen(HWND owner, const std::vector<FileFilter>& filters);
// Asks before replacing an existing file; `defaultName` fills the name field.
std::optional<std::string> ChooseFileToSave(HWND owner, const std::vector<FileFilter>& filters,
                                            const std::string& defaultName);

} // namespace stilvane
