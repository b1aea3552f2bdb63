#include "ui/exception_entries.h"

#include <unordered_set>

namespace stilvane {

std::string TrimEntry(std::string_view text) {
    constexpr std::string_view kBlanks = " \t";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(kBlanks) - first + 1));
}

NewEntries PlanNewEntries(const std::vector<std::string>& listed,
                          const std::vector<std::string>& lines) {
    std::unordered_set<std::string_view> present(listed.begin(), listed.end());
    NewEntries result;
    result.added.reserve(lines.size());
    std::vector<std::string> trimmed;
    trimmed.reserve(lines.size());
    for (const std::string& line : lines) {
        std::string entry = TrimEntry(line);
        if (entry.empty())
            continue;
        trimmed.push_back(std::move(entry));
    }
    for (const std::string& entry : trimmed) {
        if (present.insert(entry).second)
            result.added.push_back(entry);
        else
            ++result.alreadyListed;
    }
    return result;
}

} // namespace stilvane
