// New entries for the exceptions list, typed, pasted or imported.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace stilvane {

// Without surrounding spaces and tabs: they never belong to a URL part, and
// the blocker would compare them.
std::string TrimEntry(std::string_view text);

struct NewEntries {
    std::vector<std::string> added; // in the order given, each once
    std::size_t alreadyListed = 0;  // skipped: in the list already, or given twice
};

// What `lines` add to a list holding `listed`: each line trimmed, empty ones
// dropped, and only entries not byte for byte in the list or earlier lines.
NewEntries PlanNewEntries(const std::vector<std::string>& listed,
                          const std::vector<std::string>& lines);

} // namespace stilvane
