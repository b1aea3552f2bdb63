// New entries for the exceptions list, typed, pasted or imported.
#pragma once

#include "framework/portable/text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace stilvane {

// The longest entry the editor takes from the user, in characters: most
// browsers open no longer web address, so a longer line is a slip of the
// clipboard. Longer entries already in the file are kept as they are.
constexpr std::size_t kLongestNewEntry = 2083;

// The list's mark of an entry that lost characters on its way in (a
// character the ANSI code page lacks became "?"): saving it changes it.
constexpr std::uint32_t kLossyEntry = 1;

// Without surrounding spaces and tabs: they never belong to a URL part, and
// the blocker would compare them.
std::string TrimEntry(std::string_view text);

// An entry, listed or offered; `lossy` when characters the code page lacks
// became "?" on the way, with the `original` text they came from.
struct CandidateEntry {
    std::string text;
    bool lossy = false;
    std::wstring original = {};
};

struct NewEntries {
    std::vector<CandidateEntry> added; // in the order given, each once
    std::size_t alreadyListed = 0;     // skipped: in the list already, or given twice
    std::size_t tooLong = 0;           // skipped: longer than kLongestNewEntry
};

// What tells an entry from others: its text, byte for byte; for one that
// lost characters the text it was made from, as no text can be (after a
// NUL): two addresses that became the same text are two entries.
std::string EntryKey(const CandidateEntry& entry);

// What `lines` add to a list whose entries have the keys `listed`: each line
// trimmed, empty ones dropped, too long ones refused (`isLead` tells the
// characters of two bytes, which count once), and only entries not in the
// list or earlier lines.
NewEntries PlanNewEntries(const std::vector<std::string>& listed,
                          const std::vector<CandidateEntry>& lines, LeadByteTest isLead = nullptr);

} // namespace stilvane
