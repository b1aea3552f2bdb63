// The system's own text for an error code.
#pragma once

#include <exception>
#include <string>

namespace stilvane {

// Text for a Win32 error code, without the trailing line break.
std::string SystemErrorText(unsigned long code);

// Why an operation failed, for a message that puts it in brackets: the
// system's text for the error's code, without its full stop, or else the
// error's own message.
std::string SystemReason(const std::exception& error);

// An operation's failure as the user's language tells it: `pattern` with
// "%1" where it failed (a file, a registry key) and "%2" why.
std::string FailureText(const std::string& pattern, const std::string& where,
                        const std::exception& cause);

} // namespace stilvane
