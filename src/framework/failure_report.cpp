#include "framework/failure_report.h"

#include "framework/application.h"

#include <utility>

namespace stilvane {

void FailureReport::Tell(const std::exception& error) {
    if (!std::exchange(told_, true))
        Application().ShowExceptionLater(error);
}

} // namespace stilvane
