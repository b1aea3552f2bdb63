#include "framework/gui/file_dialogs.h"

#include "framework/portable/errors.h"
#include "framework/system/ansi_text.h"
#include "framework/system/system_error.h"

#include <commdlg.h>

#include <algorithm>

namespace stilvane {

namespace {

using FileDialog = BOOL(WINAPI*)(OPENFILENAMEW*);

// The dialogs are rare, and their library brings the printing libraries
// with it: it is loaded at the first dialog, not at start, and then stays,
// as a linked library would. Only from the system's folder.
FileDialog DialogFunction(const char* name) {
    static const HMODULE library =
        ::LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const FARPROC function = library ? ::GetProcAddress(library, name) : nullptr;
    if (!function) {
        const DWORD code = ::GetLastError();
        throw EOSError(messages::SystemError(code, SystemErrorText(code)), code);
    }
    return reinterpret_cast<FileDialog>(reinterpret_cast<void*>(function));
}

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
    const FileDialog choose = DialogFunction(save ? "GetSaveFileNameW" : "GetOpenFileNameW");
    if (!choose(&dialog))
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
