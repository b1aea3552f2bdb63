// Runs the application's message handling for a while inside a test, as the
// program's message loop would.
#pragma once

#include <functional>

namespace stilvane::testing {

// Handles messages and queued calls until `done` holds or `timeoutMs` passed.
// Returns whether `done` held.
bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs);

// Handles messages and queued calls for `ms` milliseconds.
void PumpFor(unsigned ms);

// Milliseconds since an arbitrary start, from a steady clock.
double NowMs();

} // namespace stilvane::testing
