#include "framework/system/system_error.h"

#include "framework/portable/errors.h"
#include "framework/portable/text.h"

#include <windows.h>

namespace stilvane {

std::string SystemErrorText(unsigned long code) {
    char buffer[512] = {};
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                        FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                    nullptr, code, 0, buffer, sizeof buffer, nullptr);
    while (length > 0 &&
           (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' || buffer[length - 1] == ' '))
        --length;
    return std::string(buffer, length);
}

std::string SystemReason(const std::exception& error) {
    const auto* known = dynamic_cast<const Exception*>(&error);
    std::string reason = known && known->Code() ? SystemErrorText(known->Code()) : error.what();
    while (!reason.empty() && (reason.back() == '.' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}

std::string FailureText(const std::string& pattern, const std::string& where,
                        const std::exception& cause) {
    return FillIn(pattern, where, SystemReason(cause));
}

} // namespace stilvane
