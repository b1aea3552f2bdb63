#include "ui/editor/exceptions_merge.h"

#include <algorithm>
#include <map>

namespace stilvane {

namespace {

using Counts = std::map<std::string, std::size_t>;

Counts Count(const std::vector<std::string>& entries) {
    Counts counts;
    for (const auto& entry : entries)
        ++counts[entry];
    return counts;
}

std::size_t CountOf(const Counts& counts, const std::string& entry) {
    const auto found = counts.find(entry);
    return found == counts.end() ? 0 : found->second;
}

} // namespace

bool SameEntries(std::vector<std::string> a, std::vector<std::string> b) {
    if (a.size() != b.size())
        return false;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}

std::vector<std::string> MergeExceptions(const std::vector<std::string>& loaded,
                                         const std::vector<std::string>& edited,
                                         const std::vector<std::string>& outside) {
    const Counts base = Count(loaded), mine = Count(edited), theirs = Count(outside);
    // The file's order first, then what only the editor has, each entry at
    // its first place.
    std::vector<std::string> order;
    Counts seen;
    for (const auto* list : {&outside, &edited})
        for (const auto& entry : *list)
            if (seen[entry]++ == 0)
                order.push_back(entry);

    std::vector<std::string> merged;
    for (const auto& entry : order) {
        const std::size_t b = CountOf(base, entry), m = CountOf(mine, entry),
                          t = CountOf(theirs, entry);
        // Added in the editor: at least as many as it holds. Removed in the
        // editor: that many fewer than the file holds now.
        const std::size_t keep = m > b ? std::max(t, m) : (t > b - m ? t - (b - m) : 0);
        merged.insert(merged.end(), keep, entry);
    }
    return merged;
}

} // namespace stilvane
