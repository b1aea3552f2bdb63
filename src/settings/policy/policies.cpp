#include "settings/policy/policies.h"

#include <tuple>
#include <type_traits>

namespace stilvane {

// A place for every policy, by its id.
static_assert(std::tuple_size_v<decltype(Policies::switches)> ==
              std::tuple_size_v<std::remove_cvref_t<decltype(PolicyDefinitions())>>);

std::string ManagedEntryOf(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (text.size() > kLongestManagedEntry || text.find_first_of("\r\n") != std::string_view::npos)
        return {};
    return std::string(text);
}

std::uint32_t ManagedEntryNumber(std::string_view name) {
    if (name.empty() || name.size() > 9 || name[0] == '0')
        return 0;
    std::uint32_t number = 0;
    for (const char digit : name) {
        if (digit < '0' || digit > '9')
            return 0;
        number = number * 10 + static_cast<std::uint32_t>(digit - '0');
    }
    return number;
}

} // namespace stilvane
