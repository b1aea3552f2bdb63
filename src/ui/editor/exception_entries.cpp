#include "ui/editor/exception_entries.h"

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

std::string EntryKey(const CandidateEntry& entry) {
    if (!entry.lossy)
        return entry.text;
    return std::string(1, '\0') + std::string(reinterpret_cast<const char*>(entry.original.data()),
                                              entry.original.size() * sizeof(wchar_t));
}

NewEntries PlanNewEntries(const std::vector<std::string>& listed,
                          const std::vector<CandidateEntry>& lines, LeadByteTest isLead) {
    NewEntries result;
    std::vector<CandidateEntry> trimmed;
    std::vector<std::string> keys;
    trimmed.reserve(lines.size());
    keys.reserve(lines.size());
    for (const CandidateEntry& line : lines) {
        std::string entry = TrimEntry(line.text);
        if (entry.empty())
            continue;
        if (entry.size() > kLongestNewEntry && CountCharacters(entry, isLead) > kLongestNewEntry) {
            ++result.tooLong;
            continue;
        }
        trimmed.push_back(
            {std::move(entry), line.lossy,
             line.lossy ? std::wstring(Trimmed<wchar_t>(line.original)) : std::wstring()});
        keys.push_back(EntryKey(trimmed.back()));
    }
    // The views point into `listed` and `keys`, which stay put.
    std::unordered_set<std::string_view> present(listed.begin(), listed.end());
    result.added.reserve(trimmed.size());
    for (std::size_t i = 0; i < trimmed.size(); ++i) {
        if (present.insert(keys[i]).second)
            result.added.push_back(std::move(trimmed[i]));
        else
            ++result.alreadyListed;
    }
    return result;
}

} // namespace stilvane
