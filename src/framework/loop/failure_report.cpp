#include "framework/loop/failure_report.h"

#include "framework/loop/application.h"

#include <utility>

namespace stilvane {

void FailureReport::Tell(const std::exception* error) noexcept {
    if (std::exchange(told_, true))
        return;
    if (error)
        Application().ShowExceptionLater(*error);
    else
        Application().ShowUnknownErrorLater();
}

} // namespace stilvane
