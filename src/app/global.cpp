#include "app/global.h"

#include "framework/path.h"

#include <windows.h>

namespace stilvane {

namespace {

std::string& Directory() {
    static std::string directory;
    return directory;
}

std::wstring ModulePathWide() {
    return ReadWholeText<wchar_t>(MAX_PATH + 1, [](wchar_t* buffer, std::size_t size) {
        return static_cast<std::size_t>(
            ::GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(size)));
    });
}

// The path in the ANSI code page, or empty when the code page cannot hold
// every character (no best-fit look-alikes: they would name another file).
std::string ExactlyInAnsi(const std::wstring& path) {
    if (path.empty())
        return {};
    const int length = static_cast<int>(path.size());
    BOOL lossy = FALSE;
    const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.data(), length,
                                           nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy)
        return {};
    std::string ansi(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.data(), length, ansi.data(), size,
                          nullptr, &lossy);
    return lossy ? std::string() : ansi;
}

std::wstring ShortForm(const std::wstring& path) {
    const DWORD size = ::GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0)
        return {};
    std::wstring shortPath(size, L'\0');
    const DWORD length = ::GetShortPathNameW(path.c_str(), shortPath.data(), size);
    if (length == 0 || length >= size)
        return {};
    shortPath.resize(length);
    return shortPath;
}

} // namespace

std::string PathForAnsiCalls(const std::wstring& path) {
    std::string ansi = ExactlyInAnsi(path);
    if (!ansi.empty() && ansi.size() < MAX_PATH)
        return ansi;
    std::string shortPath = ExactlyInAnsi(ShortForm(path));
    return shortPath.empty() ? ansi : shortPath;
}

void InitProgramDirectory() {
    std::string executable = PathForAnsiCalls(ModulePathWide());
    if (executable.empty()) {
        // MAX_PATH + 1 covers almost every path; longer ones are read whole too.
        executable = ReadWholeText(MAX_PATH + 1, [](char* buffer, std::size_t size) {
            return static_cast<std::size_t>(
                ::GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size)));
        });
    }
    Directory() = DirectoryOfPath(executable);
}

const std::string& ProgramDirectory() {
    return Directory();
}

} // namespace stilvane
