#include "framework/portable/text_encoding.h"

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

TEST(TextEncoding, RecognisesUtf16WithoutAMarkOnlyWhereNothingElseFits) {
    struct Case {
        std::string bytes;
        TextEncoding encoding;
        bool guessed; // ReadByGuess
    } cases[] = {
        {"a\0.\0e\0x\0\r\0\n\0b\0"s, TextEncoding::Utf16LittleEndian, true},
        {"\0a\0.\0e\0x\0\r\0\n\0b"s, TextEncoding::Utf16BigEndian, true},
        // "日本.ex": NUL bytes in at least every other code unit.
        {"\xE5\x65\x2C\x67.\0e\0x\0"s, TextEncoding::Utf16LittleEndian, true},
        // "日本.e": exactly every other code unit, in either byte order.
        {"\xE5\x65\x2C\x67.\0e\0"s, TextEncoding::Utf16LittleEndian, true},
        {"\x65\xE5\x67\x2C\0.\0e"s, TextEncoding::Utf16BigEndian, true},
        {"\xE5\x65\x2C\x67\x0C\x54.\0"s, TextEncoding::Ansi, true}, // too few: a guess too
        {"a.example\r\n", TextEncoding::Ansi, false},
        {"a\0b"s, TextEncoding::Ansi, true},       // an odd length
        {"a\0\0\0b\0"s, TextEncoding::Ansi, true}, // a NUL character
        {"ab\0\0"s, TextEncoding::Ansi, true},     // NUL bytes on both sides
        {"\xFF\xFE"
         "a\0"s,
         TextEncoding::Utf16LittleEndian, false},
        {"", TextEncoding::Ansi, false},
    };
    for (const auto& c : cases) {
        const MarkedText text = RecogniseEncoding(c.bytes);
        EXPECT_EQ(text.encoding, c.encoding) << ::testing::PrintToString(c.bytes);
        EXPECT_EQ(text.unmarked, c.encoding != TextEncoding::Ansi && c.guessed);
        EXPECT_EQ(ReadByGuess(c.bytes), c.guessed) << ::testing::PrintToString(c.bytes);
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
