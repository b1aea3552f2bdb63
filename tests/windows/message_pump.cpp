#include "message_pump.h"

#include "framework/loop/application.h"
#include "framework/loop/steady_clock.h"

#include <windows.h>

namespace stilvane::testing {

double NowMs() {
    return SteadyMilliseconds();
}

bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs) {
    const double end = NowMs() + timeoutMs;
    for (;;) {
        Application().ProcessMessages();
        if (done())
            return true;
        const double left = end - NowMs();
        if (left <= 0)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, left < 5 ? static_cast<DWORD>(left) + 1 : 5,
                                    QS_ALLINPUT);
    }
}

void PumpFor(unsigned ms) {
    PumpUntil([] { return false; }, ms);
}

} // namespace stilvane::testing
