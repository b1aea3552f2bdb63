#include "framework/file_dialogs.h"

#include "framework/ansi_text.h"

#include <commdlg.h>

#include <algorithm>

namespace stilvane {

namespace {

// Pairs of NUL-terminated names and patterns, closed by one more NUL.
std::wstring FilterList(const std::vector<FileFilter>& filters) {
    std::wstring list;
    for (const auto& filter : filters) {
        list += AnsiToWide(filter.name);
        list += L'\0';
        list += AnsiToWide(filter.patterns);
        list += L'\0';
    }
    list += L'\0';
    return list;
}

std::optional<std::wstring> Choose(HWND owner, const std::vector<FileFilter>& filters,
                                   const std::string& defaultName, bool save) {
    const std::wstring filterList = FilterList(filters);
    // Long paths are allowed by the dialog; the buffer takes any of them.
    std::wstring path(32768, L'\0');
    const std::wstring name = AnsiToWide(defaultName);
    name.copy(path.data(), std::min(name.size(), path.size() - 1));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filterList.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = save ? L"txt" : nullptr;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
    if (!chosen)
        return std::nullopt;
    path.resize(path.find(L'\0'));
    return path;
}

} // namespace

std::optional<std::wstring> ChooseFileToOpen(HWND owner, const std::vector<FileFilter>& filters) {
    return Choose(owner, filters, "", false);
}

std::optional<std::wstring> ChooseFileToSave(HWND owner, const std::vector<FileFilter>& filters,
                                             const std::string& defaultName) {
    return Choose(owner, filters, defaultName, true);
}

} // namespace stilvane
