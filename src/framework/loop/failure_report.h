// The report of an operation that the program repeats by itself (a tick's
// write, a lock put back, a policy applied): its failure is told once, after
// the handler, and not again until the operation has succeeded once more.
#pragma once

#include <exception>

namespace stilvane {

class FailureReport {
public:
    // Runs `operation`; an error that leaves it is shown later, unless this
    // failure has been told already.
    template <typename Operation> void Run(Operation&& operation) {
        try {
            operation();
            told_ = false;
        } catch (const std::exception& error) {
            Tell(&error);
        } catch (...) {
            Tell(nullptr);
        }
    }

private:
    // `error`: null for one of no known kind, told by the fixed text.
    void Tell(const std::exception* error) noexcept;

    bool told_ = false;
};

} // namespace stilvane
