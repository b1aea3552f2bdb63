// Reading a value from INI text held in memory (the program's own copy of
// popup.ini), by the rules the system's profile functions follow for the
// files the program ships: section names and keys compared without regard to
// ASCII case, the first entry of a name counting, values trimmed of blanks
// and of one pair of surrounding quotes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace stilvane {

std::optional<std::string> IniTextValue(std::string_view text, std::string_view section,
                                        std::string_view key);

} // namespace stilvane
