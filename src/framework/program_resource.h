// Data the program carries in its own resources.
#pragma once

#include <string_view>

namespace stilvane {

// The bytes of the RCDATA resource `name` of the executable; empty when it
// has none.
std::string_view ProgramData(const char* name);

} // namespace stilvane
