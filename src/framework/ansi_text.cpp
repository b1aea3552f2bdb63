#include "framework/ansi_text.h"

#include "framework/text_encoding.h"

#include <windows.h>

#include <climits>

namespace stilvane {

// The conversion calls count in int; a 32-bit process never holds a text
// that large, so those lengths need no better answer than empty text.

namespace {

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

std::string WideToAnsi(std::wstring_view text, Unmappable unmappable) {
    if (text.empty() || text.size() > INT_MAX / 4)
        return {};
    const bool refuse = unmappable == Unmappable::Refuse;
    const DWORD flags = refuse ? WC_NO_BEST_FIT_CHARS : 0;
    const int count = static_cast<int>(text.size());
    BOOL lossy = FALSE;
    BOOL* const lossyOut = refuse ? &lossy : nullptr;
    const int size =
        ::WideCharToMultiByte(CP_ACP, flags, text.data(), count, nullptr, 0, nullptr, lossyOut);
    if (size <= 0 || lossy)
        return {};
    std::string ansi(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, flags, text.data(), count, ansi.data(), size, nullptr, lossyOut);
    return lossy ? std::string() : ansi;
}

std::string FileTextToAnsi(std::string_view fileBytes) {
    const MarkedText text = SplitByteOrderMark(fileBytes);
    switch (text.encoding) {
    case TextEncoding::Ansi:
        return std::string(text.body);
    case TextEncoding::Utf8:
        return WideToAnsi(Utf8ToWide(text.body));
    case TextEncoding::Utf16LittleEndian:
    case TextEncoding::Utf16BigEndian: {
        const std::u16string units = Utf16CodeUnits(text.body, text.encoding);
        return WideToAnsi(
            std::wstring_view(reinterpret_cast<const wchar_t*>(units.data()), units.size()));
    }
    }
    return std::string(text.body);
}

} // namespace stilvane
