// File-system queries on ANSI paths.
#pragma once

#include <string>

namespace stilvane {

// True when `path` names an existing file; a directory does not count.
bool FileExists(const std::string& path);

} // namespace stilvane
