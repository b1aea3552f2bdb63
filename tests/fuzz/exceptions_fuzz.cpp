// The exceptions file: loading never yields an entry with CR, LF or NUL,
// saving and loading again gives the list back (blank lines aside), and an
// encoding is recognised without reading past the text.
#include "framework/portable/text_encoding.h"
#include "ui/editor/exceptions_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace stilvane;

namespace {

bool HasLineBreakOrNul(const std::string& entry) {
    return entry.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::vector<std::string> loaded = ParseExceptions(bytes);
    for (const auto& entry : loaded)
        if (HasLineBreakOrNul(entry))
            std::abort();
    if (ParseExceptions(FormatExceptions(loaded)) != loaded)
        std::abort();

    // A list as the editor holds it: entries split at 0x01, without breaks
    // (and without blank ones, which are no entries).
    std::vector<std::string> list(1);
    for (const char c : bytes) {
        if (c == '\x01')
            list.emplace_back();
        else if (c != '\r' && c != '\n' && c != '\0')
            list.back() += c;
    }
    std::erase_if(list, [](const std::string& entry) { return IsBlankLine(entry); });
    if (ParseExceptions(FormatExceptions(list)) != list)
        std::abort();

    const MarkedText text = RecogniseEncoding(bytes);
    if (text.body.data() + text.body.size() != bytes.data() + bytes.size())
        std::abort();
    if (text.encoding == TextEncoding::Utf16LittleEndian ||
        text.encoding == TextEncoding::Utf16BigEndian) {
        if (Utf16CodeUnits(text.body, text.encoding).size() != text.body.size() / 2)
            std::abort();
    }
    return 0;
}
