#include "framework/system/ansi_text.h"

#include "framework/portable/text.h"
#include "framework/portable/text_encoding.h"

#include <windows.h>

#include <algorithm>
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

bool IsLeadByte(unsigned char byte) {
    return ::IsDBCSLeadByte(byte) != FALSE;
}

std::wstring AnsiToWide(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX / 4)
        return {};
    const int count = static_cast<int>(text.size());
    const int size = ::MultiByteToWideChar(CP_ACP, 0, text.data(), count, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), count, wide.data(), size);
    return wide;
}

AnsiLine LineToAnsi(std::wstring_view line) {
    if (line.empty() || line.size() > INT_MAX / 4)
        return {{}, false, {}};
    const int count = static_cast<int>(line.size());
    BOOL lossy = FALSE;
    const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, line.data(), count,
                                           nullptr, 0, nullptr, &lossy);
    std::string ansi(static_cast<std::size_t>(std::max(size, 0)), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, line.data(), count, ansi.data(), size,
                          nullptr, &lossy);
    if (!lossy)
        return {std::move(ansi), false, {}};
    return {std::move(ansi), true, std::wstring(line)};
}

// SplitLines on wide text, converting each line on its own so that a lost
// character is charged to its line.
std::vector<AnsiLine> TextLinesToAnsi(std::wstring_view text, std::string_view breaks) {
    const std::wstring wideBreaks(breaks.begin(), breaks.end());
    std::vector<AnsiLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(wideBreaks, start);
        if (end == std::wstring_view::npos)
            end = text.size();
        lines.push_back(LineToAnsi(text.substr(start, end - start)));
        const bool crLf = end + 1 < text.size() && text[end] == L'\r' && text[end + 1] == L'\n';
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

std::vector<AnsiLine> FileLinesToAnsi(std::string_view fileBytes, std::string_view breaks) {
    const MarkedText text = RecogniseEncoding(fileBytes);
    if (text.encoding == TextEncoding::Ansi) {
        std::vector<AnsiLine> lines;
        for (std::string& line : SplitLines(text.body, breaks))
            lines.push_back({std::move(line), false, {}});
        return lines;
    }
    if (text.encoding == TextEncoding::Utf8)
        return TextLinesToAnsi(Utf8ToWide(text.body), breaks);
    const std::u16string units = Utf16CodeUnits(text.body, text.encoding);
    return TextLinesToAnsi(
        std::wstring_view(reinterpret_cast<const wchar_t*>(units.data()), units.size()), breaks);
}

} // namespace stilvane
