#include "app/global.h"

#include "framework/portable/path.h"
#include "framework/system/ansi_text.h"

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
    std::string ansi = WideToAnsi(path, Unmappable::Refuse);
    if (!ansi.empty() && ansi.size() < MAX_PATH)
        return ansi;
    std::string shortPath = WideToAnsi(ShortForm(path), Unmappable::Refuse);
    return shortPath.empty() ? ansi : shortPath;
}

void InitProgramDirectory() {
    // Split as Unicode text: in a double-byte code page the second byte of a
    // character can be a backslash.
    const std::wstring directory = DirectoryOfPath(ModulePathWide());
    std::string ansi = PathForAnsiCalls(directory);
    if (ansi.empty())
        ansi = WideToAnsi(directory); // then the ANSI calls cannot reach it either
    Directory() = std::move(ansi);
}

const std::string& ProgramDirectory() {
    return Directory();
}

} // namespace stilvane
