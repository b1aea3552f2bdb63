#include "framework/portable/text_encoding.h"

#include <cstdint>

namespace stilvane {

MarkedText SplitByteOrderMark(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return {TextEncoding::Utf8, bytes.substr(3)};
    if (bytes.starts_with("\xFF\xFE"))
        return {TextEncoding::Utf16LittleEndian, bytes.substr(2)};
    if (bytes.starts_with("\xFE\xFF"))
        return {TextEncoding::Utf16BigEndian, bytes.substr(2)};
    return {TextEncoding::Ansi, bytes};
}

MarkedText RecogniseEncoding(std::string_view bytes) {
    const MarkedText marked = SplitByteOrderMark(bytes);
    if (marked.encoding != TextEncoding::Ansi || bytes.size() < 2 || bytes.size() % 2 != 0)
        return marked;
    std::size_t nulFirst = 0, nulSecond = 0; // in the first and second byte of a code unit
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\0')
            ++(i % 2 == 0 ? nulFirst : nulSecond);
    const std::size_t units = bytes.size() / 2;
    if (nulFirst == 0 && nulSecond * 2 >= units)
        return {TextEncoding::Utf16LittleEndian, bytes, true};
    if (nulSecond == 0 && nulFirst * 2 >= units)
        return {TextEncoding::Utf16BigEndian, bytes, true};
    return marked;
}

bool ReadByGuess(std::string_view fileBytes) {
    const MarkedText text = RecogniseEncoding(fileBytes);
    return text.unmarked ||
           (text.encoding == TextEncoding::Ansi && text.body.find('\0') != std::string_view::npos);
}

std::u16string Utf16CodeUnits(std::string_view body, TextEncoding encoding) {
    const bool bigEndian = encoding == TextEncoding::Utf16BigEndian;
    std::u16string units;
    units.reserve(body.size() / 2);
    for (std::size_t i = 0; i + 1 < body.size(); i += 2) {
        const auto first = static_cast<unsigned char>(body[i]);
        const auto second = static_cast<unsigned char>(body[i + 1]);
        units.push_back(
            static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first)));
    }
    return units;
}

namespace {

template <typename Units> bool MostlyText(const Units& units) {
    std::size_t controls = 0;
    for (const auto unit : units) {
        const auto code = static_cast<std::uint32_t>(unit);
        if (code == 0)
            return false;
        if ((code < 0x20 && code != '\t' && code != '\r' && code != '\n') || code == 0x7F)
            ++controls;
    }
    return controls * 20 <= units.size();
}

} // namespace

bool LooksLikeText(std::string_view fileBytes) {
    const MarkedText text = RecogniseEncoding(fileBytes);
    if (text.encoding == TextEncoding::Utf16LittleEndian ||
        text.encoding == TextEncoding::Utf16BigEndian)
        return MostlyText(Utf16CodeUnits(text.body, text.encoding));
    std::basic_string_view<unsigned char> bytes(
        reinterpret_cast<const unsigned char*>(text.body.data()), text.body.size());
    return MostlyText(bytes);
}

} // namespace stilvane
