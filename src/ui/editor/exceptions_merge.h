// Saving the editor's list over a file that changed since it was loaded.
#pragma once

#include <string>
#include <vector>

namespace stilvane {

// Whether two lists hold the same entries the same number of times, in any
// order: the list box keeps its own order, the file keeps the writer's.
bool SameEntries(std::vector<std::string> a, std::vector<std::string> b);

// The list to save when the file was changed by someone else while the
// editor had it open. `loaded` is what the editor read, `edited` what it
// holds now, `outside` what the file holds now. Entries added outside are
// kept, entries removed outside stay removed unless the editor added them
// again, and the editor's own additions and removals apply. Counts matter
// for repeated entries; an entry added on both sides is there once.
std::vector<std::string> MergeExceptions(const std::vector<std::string>& loaded,
                                         const std::vector<std::string>& edited,
                                         const std::vector<std::string>& outside);

} // namespace stilvane
