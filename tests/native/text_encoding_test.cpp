#include "framework/text_encoding.h"

#include <gtest/gtest.h>

namespace stilvane {
namespace {

using namespace std::string_literals;

TEST(TextEncoding, RecognisesTheThreeMarksAndNothingElse) {
    struct Case {
        std::string bytes;
        TextEncoding encoding;
        std::string body;
    } cases[] = {
        {"", TextEncoding::Ansi, ""},
        {"a.example", TextEncoding::Ansi, "a.example"},
        {"\xEF\xBB\xBF", TextEncoding::Utf8, ""},
        {"\xEF\xBB\xBFx", TextEncoding::Utf8, "x"},
        {"\xEF\xBBx", TextEncoding::Ansi, "\xEF\xBBx"},
        {"\xFF\xFEx\0"s, TextEncoding::Utf16LittleEndian, "x\0"s},
        {"\xFE\xFF\0x"s, TextEncoding::Utf16BigEndian, "\0x"s},
        {"\xFF", TextEncoding::Ansi, "\xFF"},
        // ANSI text that merely starts with "ÿ": one byte is no mark.
        {"\xFFx", TextEncoding::Ansi, "\xFFx"},
    };
    for (const auto& c : cases) {
        const MarkedText text = SplitByteOrderMark(c.bytes);
        EXPECT_EQ(text.encoding, c.encoding) << ::testing::PrintToString(c.bytes);
        EXPECT_EQ(std::string(text.body), c.body) << ::testing::PrintToString(c.bytes);
    }
}

TEST(TextEncoding, ReadsCodeUnitsInEitherByteOrderAndDropsAnOddByte) {
    const std::string body = "\xFC\0\x3C\xD8\x00\xDFz"s;
    EXPECT_EQ(Utf16CodeUnits(body, TextEncoding::Utf16LittleEndian), u"\u00FC\xD83C\xDF00");
    EXPECT_EQ(Utf16CodeUnits(body, TextEncoding::Utf16BigEndian), u"\xFC00\x3CD8\x00DF");
    EXPECT_EQ(Utf16CodeUnits("", TextEncoding::Utf16BigEndian), u"");
}

} // namespace
} // namespace stilvane
