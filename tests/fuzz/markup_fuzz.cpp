// The label markup: the rows hold no line breaks, and the pieces of a row
// cover it exactly: every byte is drawn or consumed by a tag, never both,
// and nothing past the row is read (each row lies in a buffer of its own
// size, so AddressSanitizer sees any read beyond it).
#include "components/markup.h"
#include "framework/portable/text.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

using namespace stilvane;
using namespace stilvane::markup;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view caption(reinterpret_cast<const char*>(data), size);
    for (const std::string& row : SplitLines(caption)) {
        if (row.find_first_of("\r\n") != std::string::npos)
            std::abort();
        const auto exact = std::make_unique<char[]>(row.size());
        std::copy(row.begin(), row.end(), exact.get());
        const std::string_view view(exact.get(), row.size());
        std::size_t at = 0;
        Style style;
        TColor color = clDefault;
        for (const Piece& piece : ScanRow(view)) {
            if (piece.begin != at || piece.end <= piece.begin || piece.end > view.size())
                std::abort();
            if (piece.isTag) {
                // A "<c:" with no ">" takes the rest of the row.
                const bool swallowsRest = piece.tag == Tag::Color && piece.end == view.size();
                if (view[piece.begin] != '<' || (view[piece.end - 1] != '>' && !swallowsRest))
                    std::abort();
                if (!piece.colorText.empty() &&
                    (piece.colorText.data() < view.data() + piece.begin ||
                     piece.colorText.data() + piece.colorText.size() > view.data() + piece.end))
                    std::abort();
                ApplyTag(piece, style, color);
            }
            at = piece.end;
        }
        if (at != view.size())
            std::abort();
    }
    return 0;
}
