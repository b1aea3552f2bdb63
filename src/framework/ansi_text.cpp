#include "framework/ansi_text.h"

#include "framework/text_encoding.h"

#include <windows.h>

#include <climits>

namespace stilvane {

namespace {

// The conversion calls count in int; a 32-bit process never holds a file
// that large, so those lengths need no better answer than empty text.
std::string WideToAnsi(const wchar_t* text, std::size_t length) {
    if (length == 0 || length > INT_MAX / 4)
        return {};
    const int count = static_cast<int>(length);
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text, count, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, count, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

std::wstring Utf8ToWide(std::string_view utf8) {
    if (utf8.empty() || utf8.size() > INT_MAX / 4)
        return {};
    const int count = static_cast<int>(utf8.size());
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), count, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), count, wide.data(), size);
    return wide;
}

} // namespace

std::string FileTextToAnsi(std::string_view fileBytes) {
    const MarkedText text = SplitByteOrderMark(fileBytes);
    switch (text.encoding) {
    case TextEncoding::Ansi:
        return std::string(text.body);
    case TextEncoding::Utf8: {
        const std::wstring wide = Utf8ToWide(text.body);
        return WideToAnsi(wide.data(), wide.size());
    }
    case TextEncoding::Utf16LittleEndian:
    case TextEncoding::Utf16BigEndian: {
        const std::u16string units = Utf16CodeUnits(text.body, text.encoding);
        return WideToAnsi(reinterpret_cast<const wchar_t*>(units.data()), units.size());
    }
    }
    return std::string(text.body);
}

} // namespace stilvane
