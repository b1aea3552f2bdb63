// The policies in force: what the administrators' values under
// HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER say together.
#pragma once

#include "settings/policy/policy_definitions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stilvane {

// The longest managed entry taken: as long as the longest the editor takes
// from the user.
constexpr std::size_t kLongestManagedEntry = 2083;

struct Policies {
    // By PolicyId; nullopt: not configured, the user decides.
    std::array<std::optional<bool>, 7> switches{};
    // The managed entries, trimmed, in the order of their numbers, each once.
    std::vector<std::string> managedExceptions;

    std::optional<bool> Switch(PolicyId id) const { return switches[static_cast<int>(id)]; }
    bool Locked(PolicyId id) const { return Switch(id).has_value(); }
    // Whether an "Allow..." switch lets the user do it: unless set to 0.
    bool Allows(PolicyId id) const { return Switch(id).value_or(true); }
    bool operator==(const Policies&) const = default;
};

// A managed entry as a list value holds it, without surrounding blanks;
// empty for anything that is no single line of at most
// kLongestManagedEntry characters.
std::string ManagedEntryOf(std::string_view text);

// The number a list value's name gives it: decimal digits without a leading
// zero, as Group Policy names them; 0 for any other name.
std::uint32_t ManagedEntryNumber(std::string_view name);

} // namespace stilvane
