#include "framework/portable/text_encoding.h"
#include "ui/editor/exception_entries.h"
#include "ui/editor/exceptions_file.h"
#include "ui/editor/exceptions_merge.h"
#include "ui/statistics/block_display.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace stilvane {
namespace {

using Entries = std::vector<std::string>;

TEST(ExceptionsFile, ReadsEveryLineWithAnyEnding) {
    struct Case {
        std::string content;
        Entries entries;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
        // Blank lines are no entries.
        {"a\r\n\r\nb", {"a", "b"}},
        {"\r\n", {}},
        {" \t\r\n\t\r\n  \nx\r\n ", {"x"}},
        {" lead \r\n", {" lead "}},
        {"dup\r\ndup\r\n", {"dup", "dup"}},
        {"a\n\rb", {"a", "b"}},
        // A NUL ends an entry like a line break; what follows is kept.
        {std::string("a\0b\r\nc", 6), {"a", "b", "c"}},
        {std::string("\0", 1), {}},
        {"\xFC"
         "ber.example\r\n",
         {"\xFC"
          "ber.example"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseExceptions(c.content), c.entries) << ::testing::PrintToString(c.content);
}

TEST(ExceptionsFile, WritesCrLfAfterEveryEntry) {
    EXPECT_EQ(FormatExceptions({}), "");
    EXPECT_EQ(FormatExceptions({" lead", "b"}), " lead\r\nb\r\n");
    // What was read is written back line for line.
    const Entries entries{"a", " x\t", "b c", "d"};
    EXPECT_EQ(ParseExceptions(FormatExceptions(entries)), entries);
}

TEST(ExceptionsMerge, BothSidesChangesApply) {
    struct Case {
        const char* what;
        Entries loaded, edited, outside, merged;
    } cases[] = {
        {"added outside", {"a"}, {"a"}, {"a", "b"}, {"a", "b"}},
        {"removed outside", {"a", "b"}, {"a", "b"}, {"a"}, {"a"}},
        {"removed outside, added again", {"a", "b"}, {"a"}, {"a"}, {"a"}},
        {"removed outside, re-added here", {"a"}, {"a", "b"}, {}, {"b"}},
        {"added here", {"a"}, {"a", "c"}, {"a", "b"}, {"a", "b", "c"}},
        {"removed here", {"a", "b"}, {"b"}, {"a", "b", "x"}, {"b", "x"}},
        {"added on both sides, once", {}, {"a"}, {"a"}, {"a"}},
        {"added on both sides, more outside", {"a"}, {"a", "a"}, {"a", "a", "a"}, {"a", "a", "a"}},
        {"removed on both sides", {"a", "b"}, {"b"}, {"b"}, {"b"}},
        {"one of two repeats removed here", {"d", "d"}, {"d"}, {"d", "d", "e"}, {"d", "e"}},
        {"case tells entries apart", {"A"}, {"A", "a"}, {"A", "B"}, {"A", "B", "a"}},
        {"everything removed outside", {"a", "b"}, {"a", "b", "c"}, {}, {"c"}},
    };
    for (const auto& c : cases) {
        Entries merged = MergeExceptions(c.loaded, c.edited, c.outside);
        std::sort(merged.begin(), merged.end());
        EXPECT_EQ(merged, c.merged) << c.what;
    }
    EXPECT_TRUE(SameEntries({"b", "a", "a"}, {"a", "b", "a"}));
    EXPECT_FALSE(SameEntries({"a", "a"}, {"a"}));
    EXPECT_FALSE(SameEntries({"a"}, {"A"}));
}

TEST(NewExceptions, TrimmedOnceEachCountedWhenListedAndRefusedWhenTooLong) {
    const std::string longest(kLongestNewEntry, 'x'), tooLong(kLongestNewEntry + 1, 'y');
    // An entry that lost characters is given with what it was.
    const auto lossy = [](std::wstring original) {
        return CandidateEntry{"??0.example", true, std::move(original)};
    };
    const CandidateEntry nihon = lossy(L"\x65E5\x672C"
                                       L"0.example"),
                         chugoku = lossy(L"\x4E2D\x56FD"
                                         L"0.example");
    struct Case {
        std::vector<CandidateEntry> listed, lines;
        Entries added;
        std::size_t alreadyListed, tooLong;
    } cases[] = {
        {{}, {{" \ta.example\t "}, {"b c"}}, {"a.example", "b c"}, 0, 0},
        {{}, {{""}, {"  "}, {"\t"}}, {}, 0, 0},
        {{{"a"}}, {{"a"}, {" a"}, {"A"}, {"b"}, {"b"}}, {"A", "b"}, 3, 0},
        {{{" lead"}}, {{" lead"}}, {"lead"}, 0, 0}, // an old untrimmed entry is not this one
        {{{tooLong}}, {{longest}, {" " + tooLong}, {tooLong + "z"}}, {longest}, 0, 2},
        // Two addresses that became the same text are both kept; one given
        // twice (blanks around it or not) is one.
        {{}, {nihon, chugoku}, {"??0.example", "??0.example"}, 0, 0},
        {{nihon},
         {chugoku,
          lossy(L" \x65E5\x672C"
                L"0.example\t"),
          nihon},
         {"??0.example"},
         2,
         0},
        // Text that lost characters is not the same as the text it became.
        {{{"??0.example"}}, {nihon, {"??0.example"}}, {"??0.example"}, 1, 0},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const Case& c = cases[i];
        std::vector<std::string> listed;
        for (const CandidateEntry& entry : c.listed)
            listed.push_back(EntryKey(entry));
        const NewEntries planned = PlanNewEntries(listed, c.lines);
        Entries added;
        for (const CandidateEntry& entry : planned.added) {
            added.push_back(entry.text);
            EXPECT_EQ(entry.lossy, !entry.original.empty()); // the mark goes with its line
        }
        EXPECT_EQ(added, c.added);
        EXPECT_EQ(planned.alreadyListed, c.alreadyListed);
        EXPECT_EQ(planned.tooLong, c.tooLong);
    }
    // Characters, not bytes: a character of two bytes counts once.
    const auto isLead = [](unsigned char byte) { return byte >= 0x81; };
    std::string kanji;
    for (std::size_t i = 0; i < kLongestNewEntry; ++i)
        kanji += "\x95\x5C";
    const NewEntries planned =
        PlanNewEntries({}, {{kanji}, {kanji + "\x95\x5C"}, {kanji + "x"}}, isLead);
    EXPECT_EQ(planned.added.size(), 1u);
    EXPECT_EQ(planned.tooLong, 2u);
}

TEST(NewExceptions, OnlyTextFilesLookLikeText) {
    const auto bytes = [](const char* text, std::size_t size) { return std::string(text, size); };
    struct Case {
        std::string file;
        bool text;
    } cases[] = {
        {"a.example\r\n\tb.example\r\n", true},
        {"", true},
        {bytes("a\0b", 3), false},                   // a NUL byte
        {std::string(19, 'a') + "\x01", true},       // one control in twenty
        {std::string(18, 'a') + "\x01\x7F", false},  // two
        {bytes("\xFF\xFEx\0\r\0\n\0y\0", 10), true}, // UTF-16 text
        {bytes("\xFF\xFEx\0\0\0y\0", 8), false},     // with a NUL character
        {bytes("a\0.\0x\0\r\0\n\0b\0", 12), true},   // UTF-16 without a mark
        {"\xEF\xBB\xBF\xD0\xB6.example", true},      // UTF-8
    };
    for (const auto& c : cases)
        EXPECT_EQ(LooksLikeText(c.file), c.text) << ::testing::PrintToString(c.file);
}

TEST(BlockDisplay, TwoSecondsModulo2To32) {
    struct Case {
        std::uint32_t now, shownAt;
        bool over;
    } cases[] = {
        {5000, 0, false}, // not showing
        {5000, 4000, false},
        {5999, 4000, false},
        {6000, 4000, true},
        {100000, 4000, true},
        {500, 0xFFFFFF00u, false},         // wrapped: 756 ms
        {1744, 0xFFFFFF00u, true},         // wrapped: 2000 ms
        {0xFFFFFFFFu, 0xFFFFF82Fu, true},  // 2000 ms
        {0xFFFFFFFFu, 0xFFFFF830u, false}, // 1999 ms
    };
    for (const auto& c : cases)
        EXPECT_EQ(BlockDisplayOver(c.now, c.shownAt), c.over) << c.now << " " << c.shownAt;
}

TEST(BlockDisplay, PictureAfterATickAndASignal) {
    struct Case {
        std::uint32_t shownAt, now;
        bool blocking;
        std::optional<TrayPicture> picture;
        std::uint32_t shownAtAfter;
    } cases[] = {
        {0, 5000, true, std::nullopt, 0},         // nothing showing
        {1000, 2999, false, std::nullopt, 1000},  // not yet two seconds
        {1000, 3000, false, TrayPicture::Off, 0}, // the state, not "on"
        {1000, 3000, true, TrayPicture::On, 0},
        {0xFFFFFF00u, 1744, false, TrayPicture::Off, 0}, // across the wrap
        {0xFFFFFF00u, 1743, true, std::nullopt, 0xFFFFFF00u},
    };
    for (const auto& c : cases) {
        std::uint32_t shownAt = c.shownAt;
        EXPECT_EQ(PictureAtTick(c.now, shownAt, c.blocking), c.picture)
            << c.shownAt << " " << c.now;
        EXPECT_EQ(shownAt, c.shownAtAfter) << c.shownAt << " " << c.now;
    }
    std::uint32_t shownAt = 0;
    EXPECT_EQ(PictureAtSignal(0, shownAt), TrayPicture::Blocked);
    EXPECT_EQ(shownAt, 1u);
    EXPECT_EQ(StatePicture(true), TrayPicture::On);
    EXPECT_EQ(StatePicture(false), TrayPicture::Off);
}

TEST(BlockDisplay, ATickCountOfZeroIsStillRecordedAsShowing) {
    EXPECT_EQ(BlockShownAtFor(0), 1u);
    EXPECT_EQ(BlockShownAtFor(12345), 12345u);
    EXPECT_TRUE(BlockDisplayOver(2001, BlockShownAtFor(0)));
}

} // namespace
} // namespace stilvane
