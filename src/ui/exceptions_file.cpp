#include "ui/exceptions_file.h"

namespace stilvane {

std::vector<std::string> ParseExceptions(std::string_view content) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t end = content.find_first_of(std::string_view("\r\n\0", 3), start);
        if (end == std::string_view::npos) {
            entries.emplace_back(content.substr(start));
            break;
        }
        entries.emplace_back(content.substr(start, end - start));
        const bool crlf =
            content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n';
        start = end + (crlf ? 2 : 1);
    }
    return entries;
}

std::string FormatExceptions(const std::vector<std::string>& entries) {
    std::string content;
    for (const auto& entry : entries)
        content += entry + "\r\n";
    return content;
}

} // namespace stilvane
