#include "ui/editor/exceptions_save.h"

#include "ui/editor/exception_entries.h"
#include "ui/editor/exceptions_merge.h"

#include <algorithm>
#include <map>

namespace stilvane {

SavePlan PlanSave(const StoredExceptions& now, const std::vector<std::string>& loaded,
                  const std::string& loadedBytes, const std::vector<ListItem>& items,
                  const std::vector<std::string>& managed) {
    SavePlan plan;
    std::vector<std::string>& list = plan.entries;
    list.reserve(items.size());
    for (const ListItem& item : items)
        list.push_back(item.text);
    // Someone may have changed the file since it was loaded: a text editor,
    // a sync tool. Their changes and the editor's both count.
    const std::vector<std::string> outside = now.Entries();
    plan.merged = now.exists && !SameEntries(outside, loaded);
    if (plan.merged)
        list = MergeExceptions(loaded, list, outside);
    // Managed entries removed outside meanwhile come back.
    for (const std::string& entry : managed)
        if (std::find(list.begin(), list.end(), entry) == list.end()) {
            list.push_back(entry);
            plan.completed = true;
        }

    // Entries the save would change: those that lost characters on their way
    // into the list, or (when merging) into the file meanwhile.
    std::map<std::string, std::size_t> lossy, kept;
    for (const ListItem& item : items)
        lossy[item.text] += (item.tag & kLossyEntry) ? 1 : 0;
    if (plan.merged) {
        std::map<std::string, std::size_t> lossyOutside;
        for (const AnsiLine& line : now.lines)
            lossyOutside[line.text] += line.lossy ? 1 : 0;
        for (const auto& [text, count] : lossyOutside)
            lossy[text] = std::max(lossy[text], count);
    }
    for (const std::string& entry : list)
        ++kept[entry];
    for (const auto& [text, count] : kept)
        plan.unstorable += std::min(count, lossy[text]);
    plan.guessed = now.guessed;
    if (plan.Asks())
        plan.backup = now.exists ? now.bytes : loadedBytes;
    return plan;
}

} // namespace stilvane
