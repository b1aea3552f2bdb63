// Data the program carries in its own resources.
#pragma once

#include <string>
#include <string_view>

namespace stilvane {

// The bytes of the RCDATA resource `name` of the executable; empty when it
// has none.
std::string_view ProgramData(const char* name);

// The same for a resource packed by tools/pack_deflate.py (its size, then
// raw deflate data), unpacked; empty when it is missing or damaged.
std::string UnpackedProgramData(const char* name);

} // namespace stilvane
