#include "components/markup.h"
#include "framework/portable/text.h"

#include <gtest/gtest.h>

#include <random>

namespace stilvane::markup {
namespace {

using Rows = std::vector<std::string>;

TEST(MarkupRows, SplitAtEveryKindOfLineBreak) {
    struct Case {
        std::string caption;
        Rows rows;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n", {"a"}},
        {"a\r", {"a"}},
        {"a\n", {"a"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"\r\n\r\n", {"", ""}},
        {"<b>a\r\nb</b>", {"<b>a", "b</b>"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitLines(c.caption), c.rows) << testing::PrintToString(c.caption);
}

// What a row draws: the runs' text, with the style and colour in force.
struct Drawn {
    std::string text;
    Style style;
    TColor color;
    bool operator==(const Drawn&) const = default;
};

std::vector<Drawn> Draw(std::string_view row, Style style = {}, TColor color = 1) {
    std::vector<Drawn> drawn;
    for (const Piece& piece : ScanRow(row)) {
        if (piece.isTag)
            ApplyTag(piece, style, color);
        else
            drawn.push_back(
                {std::string(row.substr(piece.begin, piece.end - piece.begin)), style, color});
    }
    return drawn;
}

void PrintTo(const Drawn& d, std::ostream* os) {
    *os << "{\"" << d.text << "\" b" << d.style.bold << " i" << d.style.italic << " u"
        << d.style.underline << " c" << std::hex << d.color << "}";
}

constexpr Style kPlain{};
constexpr Style kBold{true, false, false};
constexpr Style kItalic{false, true, false};
constexpr Style kUnder{false, false, true};

TEST(MarkupScan, RunsAndStyles) {
    struct Case {
        const char* row;
        std::vector<Drawn> drawn;
    } cases[] = {
        {"plain", {{"plain", kPlain, 1}}},
        {"a<b>b</b>c", {{"a", kPlain, 1}, {"b", kBold, 1}, {"c", kPlain, 1}}},
        {"<B>x</B>", {{"x", kBold, 1}}},
        {"<b><b>x</b>y", {{"x", kBold, 1}, {"y", kPlain, 1}}},
        {"<i>x</I><U>y", {{"x", kItalic, 1}, {"y", kUnder, 1}}},
        {"a<br>b", {{"a<br>b", kPlain, 1}}},
        {"< b>", {{"< b>", kPlain, 1}}},
        {"<s>x<font a>", {{"<s>x<font a>", kPlain, 1}}},
        {"x<", {{"x<", kPlain, 1}}},
        {"x<b", {{"x<b", kPlain, 1}}},
        {"x</b", {{"x</b", kPlain, 1}}},
        {"<<b>x", {{"<", kPlain, 1}, {"x", kBold, 1}}},
        {"</c>x", {{"</c>x", kPlain, 1}}},
        {"&Hinzuf\xFCgen", {{"&Hinzuf\xFCgen", kPlain, 1}}},
        {"<b></b>", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Draw(c.row), c.drawn) << c.row;
}

TEST(MarkupScan, PlainTextForScreenReaders) {
    EXPECT_EQ(PlainText("a<b>b</B>c\r\n<c:Red>rot<c:$FF>\r\n\r\nx<br>"), "abc\r\nrot\r\n\r\nx<br>");
    EXPECT_EQ(PlainText("<c:Red"), "");
    EXPECT_EQ(PlainText(""), "");
}

TEST(MarkupScan, ClosingTagRemovesAStyleOfTheLabelFont) {
    EXPECT_EQ(Draw("a</b>b", kBold), (std::vector<Drawn>{{"a", kBold, 1}, {"b", kPlain, 1}}));
    EXPECT_EQ(Draw("<b>a", kBold), (std::vector<Drawn>{{"a", kBold, 1}}));
}

TEST(MarkupScan, ColourTags) {
    struct Case {
        const char* row;
        std::vector<Drawn> drawn;
    } cases[] = {
        {"<c:Red>x", {{"x", kPlain, 0x0000FF}}},
        {"<C:RED>x", {{"x", kPlain, 0x0000FF}}},
        {"<c:$FF0000>x", {{"x", kPlain, 0xFF0000}}},
        {"<c:$0000ff>x", {{"x", kPlain, 0x0000FF}}},
        {"<c:255>x", {{"x", kPlain, 1}}},
        {"<c:Rot>x", {{"x", kPlain, 1}}},
        {"<c:>x", {{"x", kPlain, 1}}},
        {"<c:clRed>x", {{"x", kPlain, 1}}},
        {"<c:$1FFFFFFFF>x", {{"x", kPlain, 1}}},
        {"<c:$>x", {{"x", kPlain, 1}}},
        {"<c:$12G>x", {{"x", kPlain, 1}}},
        {"a<c:Red", {{"a", kPlain, 1}}},
        {"a<c:Red b c", {{"a", kPlain, 1}}},
        {"<c:Red<b>x>y", {{"x>y", kPlain, 1}}}, // colour text "Red<b" is no colour
        {"<c:red>a<c:blue>b", {{"a", kPlain, 0x0000FF}, {"b", kPlain, 0xFF0000}}},
        {"<c:btnface>x", {{"x", kPlain, 0x8000000F}}},
        {"<c:$80000005>x", {{"x", kPlain, 0x80000005}}},
        {"<c:none>x", {{"x", kPlain, clNone}}},
        {"<c:Default>x", {{"x", kPlain, clDefault}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Draw(c.row), c.drawn) << c.row;
}

TEST(MarkupColours, EveryNameOfTheTable) {
    struct Case {
        const char* name;
        TColor value;
    } cases[] = {
        {"Black", 0x000000},
        {"Maroon", 0x000080},
        {"Green", 0x008000},
        {"Olive", 0x008080},
        {"Navy", 0x800000},
        {"Purple", 0x800080},
        {"Teal", 0x808000},
        {"Gray", 0x808080},
        {"Silver", 0xC0C0C0},
        {"Red", 0x0000FF},
        {"Lime", 0x00FF00},
        {"Yellow", 0x00FFFF},
        {"Blue", 0xFF0000},
        {"Fuchsia", 0xFF00FF},
        {"Aqua", 0xFFFF00},
        {"White", 0xFFFFFF},
        {"MoneyGreen", 0xC0DCC0},
        {"SkyBlue", 0xF0CAA6},
        {"Cream", 0xF0FBFF},
        {"MedGray", 0xA4A0A0},
        {"ScrollBar", 0x80000000},
        {"Background", 0x80000001},
        {"ActiveCaption", 0x80000002},
        {"InactiveCaption", 0x80000003},
        {"Menu", 0x80000004},
        {"Window", 0x80000005},
        {"WindowFrame", 0x80000006},
        {"MenuText", 0x80000007},
        {"WindowText", 0x80000008},
        {"CaptionText", 0x80000009},
        {"ActiveBorder", 0x8000000A},
        {"InactiveBorder", 0x8000000B},
        {"AppWorkSpace", 0x8000000C},
        {"Highlight", 0x8000000D},
        {"HighlightText", 0x8000000E},
        {"BtnFace", 0x8000000F},
        {"BtnShadow", 0x80000010},
        {"GrayText", 0x80000011},
        {"BtnText", 0x80000012},
        {"InactiveCaptionText", 0x80000013},
        {"BtnHighlight", 0x80000014},
        {"3DDkShadow", 0x80000015},
        {"3DLight", 0x80000016},
        {"InfoText", 0x80000017},
        {"InfoBk", 0x80000018},
        {"HotLight", 0x8000001A},
        {"GradientActiveCaption", 0x8000001B},
        {"GradientInactiveCaption", 0x8000001C},
        {"MenuHighlight", 0x8000001D},
        {"MenuBar", 0x8000001E},
        {"None", 0x1FFFFFFF},
        {"Default", 0x20000000},
    };
    EXPECT_EQ(std::size(cases), 52u);
    for (const auto& c : cases) {
        ASSERT_TRUE(ParseColor(c.name).has_value()) << c.name;
        EXPECT_EQ(*ParseColor(c.name), c.value) << c.name;
    }
    for (const char* bad :
         {"", "Rot", "Red ", " Red", "cl", "clRed", "25", "$", "$-1", "$100000000", "Re\xE4"})
        EXPECT_FALSE(ParseColor(bad).has_value()) << bad;
    EXPECT_EQ(*ParseColor("$FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(*ParseColor("$00000000000ff"), 0xFFu);
}

// Random rows made of tag fragments: every byte lies in exactly one piece,
// pieces come in order without gaps, tags hold what they claim and colour
// text lies inside its tag.
TEST(MarkupScan, PiecesCoverEveryRowExactly) {
    const char* fragments[] = {"<",    ">",   "b", "B", "/",    "i",       "u",
                               "c",    ":",   "$", "F", "r",    "ed",      "<b>",
                               "</b>", "<c:", "x", " ", "\xB0", "<c:red>", "\0"};
    std::mt19937 random(20261207);
    for (int round = 0; round < 20000; ++round) {
        std::string row;
        const int parts = static_cast<int>(random() % 12);
        for (int p = 0; p < parts; ++p) {
            const char* f = fragments[random() % std::size(fragments)];
            row += *f ? std::string(f) : std::string(1, '\0');
        }
        // The scanner must not look past the row: give it a view of a prefix
        // of a longer buffer whose next byte would complete a tag.
        const std::string buffer = row + "b>";
        const std::string_view view(buffer.data(), row.size());
        const auto pieces = ScanRow(view);
        std::size_t next = 0;
        for (const Piece& piece : pieces) {
            ASSERT_EQ(piece.begin, next) << row;
            ASSERT_LT(piece.begin, piece.end) << row;
            ASSERT_LE(piece.end, row.size()) << row;
            if (piece.isTag) {
                ASSERT_EQ(row[piece.begin], '<') << row;
                if (piece.tag == Tag::Color) {
                    ASSERT_GE(piece.colorText.data(), view.data() + piece.begin + 3) << row;
                    ASSERT_LE(piece.colorText.data() + piece.colorText.size(),
                              view.data() + piece.end)
                        << row;
                    ASSERT_EQ(piece.colorText.find('>'), std::string_view::npos) << row;
                }
            } else {
                // Two runs never follow each other: a run ends only at a tag.
                ASSERT_TRUE(&piece == &pieces.front() || (&piece - 1)->isTag) << row;
            }
            next = piece.end;
        }
        ASSERT_EQ(next, row.size()) << row;
    }
}

} // namespace
} // namespace stilvane::markup
