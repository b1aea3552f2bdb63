#include "ui/editor/exceptions_file.h"

#include "framework/portable/text.h"

namespace stilvane {

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::vector<std::string> ParseExceptions(std::string_view content) {
    std::vector<std::string> entries = SplitLines(content, kExceptionLineBreaks);
    std::erase_if(entries, [](const std::string& line) { return IsBlankLine(line); });
    return entries;
}

std::string FormatExceptions(const std::vector<std::string>& entries) {
    std::string content;
    for (const auto& entry : entries)
        content += entry + "\r\n";
    return content;
}

} // namespace stilvane
