// The label markup: rows of text with bold, italic, underline and colour
// switches. Platform-free: the scanner says what to draw; drawing is done by
// TMarkupLabel.
//
//   <b> </b> <i> </i> <u> </u>   switch a style on or off (no nesting count)
//   <c:NAME> <c:$BBGGRR>         set the colour for the rest of the row
//
// Tags are matched without regard to letter case. Anything else, "<"
// included, is drawn as it stands. Every row starts afresh in the label's
// font.
#pragma once

#include "framework/portable/color.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stilvane::markup {

// clNone and clDefault are drawn in the label's own font colour: a label
// has no use for invisible text.

enum class Tag { BoldOn, BoldOff, ItalicOn, ItalicOff, UnderlineOn, UnderlineOff, Color };

// One piece of a row: text to draw, or a tag. Pieces cover the row exactly,
// in order, each byte in one piece.
struct Piece {
    bool isTag = false;
    Tag tag = Tag::BoldOn;
    std::size_t begin = 0; // span in the row
    std::size_t end = 0;
    std::string_view colorText; // for Tag::Color: between "c:" and ">"
};

std::vector<Piece> ScanRow(std::string_view row);

// What a reader hears: the caption's rows without their tags, joined by
// CR LF.
std::string PlainText(std::string_view caption);

// "<c:" text to colour: a name from the table without its "cl" prefix (ASCII
// letter case ignored), or "$" and hex digits whose value fits 32 bits.
// nullopt for anything else, which leaves the colour unchanged.
std::optional<TColor> ParseColor(std::string_view text);

struct Style {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const Style&) const = default;
};

// The effect of a tag on the running style and colour.
void ApplyTag(const Piece& piece, Style& style, TColor& color);

} // namespace stilvane::markup
