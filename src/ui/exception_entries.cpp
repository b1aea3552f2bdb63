#include "ui/exception_entries.h"

#include <unordered_set>

namespace stilvane {

namespace {

template <typename Char> std::basic_string_view<Char> Trimmed(std::basic_string_view<Char> text) {
    constexpr Char kBlanks[] = {' ', '\t', 0};
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::basic_string_view<Char>::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

} // namespace

std::string TrimEntry(std::string_view text) {
    return std::string(Trimmed(text));
}

NewEntries PlanNewEntries(const std::vector<CandidateEntry>& listed,
                          const std::vector<CandidateEntry>& lines, LeadByteTest isLead) {
    NewEntries result;
    std::vector<CandidateEntry> trimmed;
    trimmed.reserve(lines.size());
    for (const CandidateEntry& line : lines) {
        std::string entry = TrimEntry(line.text);
        if (entry.empty())
            continue;
        if (entry.size() > kLongestNewEntry && CountCharacters(entry, isLead) > kLongestNewEntry)
            ++result.tooLong;
        else
            trimmed.push_back({std::move(entry), line.lossy,
                               line.lossy ? std::wstring(Trimmed<wchar_t>(line.original)) : L""});
    }
    // The views point into `listed` and `trimmed`, which stay put.
    std::unordered_set<std::string_view> texts;
    std::unordered_set<std::wstring_view> originals;
    const auto isNew = [&](const CandidateEntry& entry) {
        return entry.lossy ? originals.insert(entry.original).second
                           : texts.insert(entry.text).second;
    };
    for (const CandidateEntry& entry : listed)
        isNew(entry);
    result.added.reserve(trimmed.size());
    for (const CandidateEntry& entry : trimmed) {
        if (isNew(entry))
            result.added.push_back(entry);
        else
            ++result.alreadyListed;
    }
    return result;
}

} // namespace stilvane
