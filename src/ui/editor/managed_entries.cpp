#include "ui/editor/managed_entries.h"

#include "settings/policy/policies.h"
#include "ui/editor/exception_entries.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

namespace stilvane {

static_assert(kLongestManagedEntry == kLongestNewEntry,
              "a managed entry is one the user could add");
static_assert(kManagedEntry != kLossyEntry, "marks of their own");

namespace {
bool Holds(const std::vector<std::string>& list, const std::string& entry) {
    return std::find(list.begin(), list.end(), entry) != list.end();
}
} // namespace

ManagedChange PlanManagedEntries(std::vector<std::string> file,
                                 const std::vector<std::string>& managed,
                                 const std::vector<std::string>& record,
                                 const std::vector<std::string>& held) {
    const std::unordered_set<std::string_view> userHolds(held.begin(), held.end());
    ManagedChange change;
    change.entries = std::move(file);
    auto& entries = change.entries;
    for (const std::string& entry : record) {
        if (Holds(managed, entry) || Holds(change.removed, entry))
            continue;
        if (const auto at = std::find(entries.begin(), entries.end(), entry); at != entries.end()) {
            entries.erase(at);
            change.removed.push_back(entry);
        }
    }
    for (const std::string& entry : managed) {
        const bool putIn = Holds(record, entry);
        if (!Holds(entries, entry)) {
            entries.push_back(entry);
            change.added.push_back(entry);
            if (!putIn && userHolds.contains(entry))
                continue; // the user's own, not saved yet
        } else if (!putIn) {
            continue; // the user's own
        }
        change.record.push_back(entry);
    }
    return change;
}

} // namespace stilvane
