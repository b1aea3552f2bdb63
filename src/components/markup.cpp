#include "components/markup.h"

#include "framework/portable/text.h"

#include <array>
#include <utility>

namespace stilvane::markup {

namespace {

struct TagBody {
    std::string_view body;
    Tag tag;
};

// Compared in this order after a "<".
constexpr std::array<TagBody, 7> kTagBodies{{
    {"b>", Tag::BoldOn},
    {"/b>", Tag::BoldOff},
    {"i>", Tag::ItalicOn},
    {"/i>", Tag::ItalicOff},
    {"u>", Tag::UnderlineOn},
    {"/u>", Tag::UnderlineOff},
    {"c:", Tag::Color},
}};

struct NamedColor {
    std::string_view name;
    TColor value;
};

constexpr TColor Sys(TColor index) {
    return kSystemColorFlag | index;
}

constexpr std::array<NamedColor, 52> kColorNames{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clScrollBar", Sys(0)},
    {"clBackground", Sys(1)},
    {"clActiveCaption", Sys(2)},
    {"clInactiveCaption", Sys(3)},
    {"clMenu", Sys(4)},
    {"clWindow", Sys(5)},
    {"clWindowFrame", Sys(6)},
    {"clMenuText", Sys(7)},
    {"clWindowText", Sys(8)},
    {"clCaptionText", Sys(9)},
    {"clActiveBorder", Sys(10)},
    {"clInactiveBorder", Sys(11)},
    {"clAppWorkSpace", Sys(12)},
    {"clHighlight", Sys(13)},
    {"clHighlightText", Sys(14)},
    {"clBtnFace", Sys(15)},
    {"clBtnShadow", Sys(16)},
    {"clGrayText", Sys(17)},
    {"clBtnText", Sys(18)},
    {"clInactiveCaptionText", Sys(19)},
    {"clBtnHighlight", Sys(20)},
    {"cl3DDkShadow", Sys(21)},
    {"cl3DLight", Sys(22)},
    {"clInfoText", Sys(23)},
    {"clInfoBk", Sys(24)},
    {"clHotLight", Sys(26)},
    {"clGradientActiveCaption", Sys(27)},
    {"clGradientInactiveCaption", Sys(28)},
    {"clMenuHighlight", Sys(29)},
    {"clMenuBar", Sys(30)},
    {"clNone", clNone},
    {"clDefault", clDefault},
}};

} // namespace

std::vector<Piece> ScanRow(std::string_view row) {
    std::vector<Piece> pieces;
    std::size_t runStart = 0;
    auto flush = [&](std::size_t end) {
        if (end > runStart)
            pieces.push_back(Piece{false, Tag::BoldOn, runStart, end, {}});
    };
    std::size_t i = 0;
    while (i < row.size()) {
        if (row[i] != '<') {
            ++i;
            continue;
        }
        const std::string_view rest = row.substr(i + 1);
        const TagBody* match = nullptr;
        for (const auto& body : kTagBodies)
            if (rest.size() >= body.body.size() &&
                SameTextAscii(rest.substr(0, body.body.size()), body.body)) {
                match = &body;
                break;
            }
        if (!match) {
            ++i; // an ordinary "<"
            continue;
        }
        flush(i);
        Piece tag{true, match->tag, i, i + 1 + match->body.size(), {}};
        if (match->tag == Tag::Color) {
            const std::size_t textStart = tag.end;
            const std::size_t close = row.find('>', textStart);
            const std::size_t textEnd = close == std::string_view::npos ? row.size() : close;
            tag.colorText = row.substr(textStart, textEnd - textStart);
            tag.end = close == std::string_view::npos ? row.size() : close + 1;
        }
        pieces.push_back(tag);
        i = runStart = tag.end;
    }
    flush(row.size());
    return pieces;
}

std::string PlainText(std::string_view caption) {
    std::string plain;
    bool first = true;
    for (const std::string& row : SplitLines(caption)) {
        if (!first)
            plain += "\r\n";
        first = false;
        for (const Piece& piece : ScanRow(row))
            if (!piece.isTag)
                plain.append(row, piece.begin, piece.end - piece.begin);
    }
    return plain;
}

std::optional<TColor> ParseColor(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    if (text.front() == '$')
        return ParseHex32(text.substr(1));
    for (const auto& named : kColorNames)
        if (named.name.size() == text.size() + 2 && SameTextAscii(named.name.substr(2), text))
            return named.value;
    return std::nullopt;
}

void ApplyTag(const Piece& piece, Style& style, TColor& color) {
    switch (piece.tag) {
    case Tag::BoldOn:
        style.bold = true;
        break;
    case Tag::BoldOff:
        style.bold = false;
        break;
    case Tag::ItalicOn:
        style.italic = true;
        break;
    case Tag::ItalicOff:
        style.italic = false;
        break;
    case Tag::UnderlineOn:
        style.underline = true;
        break;
    case Tag::UnderlineOff:
        style.underline = false;
        break;
    case Tag::Color:
        if (const auto parsed = ParseColor(piece.colorText))
            color = *parsed;
        break;
    }
}

} // namespace stilvane::markup
