// The system's own text for an error code.
#pragma once

#include <string>

namespace stilvane {

// Text for a Win32 error code, without the trailing line break.
std::string SystemErrorText(unsigned long code);

} // namespace stilvane
