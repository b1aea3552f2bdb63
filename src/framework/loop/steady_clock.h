// Milliseconds from a steady clock that neither wraps nor jumps, for
// measuring pauses and periods.
#pragma once

namespace stilvane {

double SteadyMilliseconds();

} // namespace stilvane
