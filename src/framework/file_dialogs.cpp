#include "framework/file_dialogs.h"

#include <commdlg.h>

#include <algorithm>

namespace stilvane {

namespace {

// Pairs of NUL-terminated names and patterns, closed by one more NUL.
std::string FilterList(const std::vector<FileFilter>& filters) {
    std::string list;
    for (const auto& filter : filters) {
        list += filter.name;
        list += '\0';
        list += filter.patterns;
        list += '\0';
    }
    list += '\0';
    return list;
}

std::optional<std::string> Choose(HWND owner, const std::vector<FileFilter>& filters,
                                  const std::string& defaultName, bool save) {
    const std::string filterList = FilterList(filters);
    // Long paths are allowed by the dialog; the buffer takes any of them.
    std::string path(32768, '\0');
    defaultName.copy(path.data(), std::min(defaultName.size(), path.size() - 1));
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filterList.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = save ? "txt" : nullptr;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? ::GetSaveFileNameA(&dialog) : ::GetOpenFileNameA(&dialog);
    if (!chosen)
        return std::nullopt;
    path.resize(path.find('\0'));
    return path;
}

} // namespace

std::optional<std::string> ChooseFileToOpen(HWND owner, const std::vector<FileFilter>& filters) {
    return Choose(owner, filters, "", false);
}

std::optional<std::string> ChooseFileToSave(HWND owner, const std::vector<FileFilter>& filters,
                                            const std::string& defaultName) {
    return Choose(owner, filters, defaultName, true);
}

} // namespace stilvane
