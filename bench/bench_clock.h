// What the latency benchmarks share: the blocker's signal and a clock in
// milliseconds finer than the tick count.
#pragma once

#include <windows.h>

namespace bench {

constexpr char kKey[] = "Software\\Quillane";
constexpr char kSignal[] = "PopupBlocker_BlockTime";
// A signal not taken by then is counted as lost, and taken back.
constexpr double kGiveUpMs = 5000;

inline double NowMs() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / frequency;
}

} // namespace bench
