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
                          const std::vector<CandidateEntry>& lines) {
    std::unordered_set<std::string_view> present(listed.begin(), listed.end());
    NewEntries result;
    std::vector<CandidateEntry> trimmed;
    trimmed.reserve(lines.size());
    for (const CandidateEntry& line : lines) {
        std::string entry = TrimEntry(line.text);
        if (entry.empty())
            continue;
        if (entry.size() > kLongestNewEntry)
            ++result.tooLong;
        else
            trimmed.push_back({std::move(entry), line.lossy});
    }
    result.added.reserve(trimmed.size());
    // The views in `present` point into `listed` and `trimmed`, which stay put.
    for (const CandidateEntry& entry : trimmed) {
        if (present.insert(entry.text).second)
            result.added.push_back(entry);
        else
            ++result.alreadyListed;
    }
    return result;
}

} // namespace stilvane
