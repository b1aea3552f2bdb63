#include "ui/exceptions_file.h"

#include "framework/text.h"

namespace stilvane {

std::vector<std::string> ParseExceptions(std::string_view content) {
    return SplitLines(content, kExceptionLineBreaks);
}

std::string FormatExceptions(const std::vector<std::string>& entries) {
    std::string content;
    for (const auto& entry : entries)
        content += entry + "\r\n";
    return content;
}

} // namespace stilvane
