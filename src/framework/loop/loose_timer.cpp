#include "framework/loop/loose_timer.h"

namespace stilvane {

namespace {

using SetCoalescableTimerFunction = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC, ULONG);

SetCoalescableTimerFunction CoalescableTimer() {
    static const auto function =
        reinterpret_cast<SetCoalescableTimerFunction>(reinterpret_cast<void (*)()>(
            ::GetProcAddress(::GetModuleHandleA("user32.dll"), "SetCoalescableTimer")));
    return function;
}

} // namespace

void SetLooseTimer(HWND window, UINT_PTR id, UINT delay, ULONG tolerance) {
    if (const auto coalescable = CoalescableTimer();
        coalescable && coalescable(window, id, delay, nullptr, tolerance))
        return;
    ::SetTimer(window, id, delay, nullptr);
}

} // namespace stilvane
