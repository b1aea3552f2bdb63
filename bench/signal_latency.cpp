// Plays the blocker's part against a running controller and times how long
// each block signal waits: writes PopupBlocker_BlockTime, then waits on the
// key's change notification until the value is gone (the controller took
// it), timing with the performance counter. The signals come at random
// phases, each at least PAUSE ms after the previous one was taken (the
// blocked picture's two seconds have passed: the controller is idle again)
// plus up to SPREAD ms more. Prints the median, 90th percentile and maximum.
// Usage: signal_latency [SIGNALS] [PAUSE] [SPREAD]   (default 30 2500 1000)
#include "bench_clock.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

using namespace bench;

bool SignalPresent(HKEY key) {
    return ::RegQueryValueExA(key, kSignal, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// Milliseconds from the write until the value is gone; negative when it
// stayed for kGiveUpMs.
double TimeOneSignal(HKEY key, HANDLE changed) {
    const DWORD signal = 1;
    const double written = NowMs();
    if (::RegSetValueExA(key, kSignal, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&signal),
                         sizeof signal) != ERROR_SUCCESS)
        return -1;
    for (;;) {
        // Armed before the look: a deletion right after it is not missed.
        ::RegNotifyChangeKeyValue(key, FALSE, REG_NOTIFY_CHANGE_LAST_SET, changed, TRUE);
        if (!SignalPresent(key))
            return NowMs() - written;
        const double left = kGiveUpMs - (NowMs() - written);
        if (left <= 0) {
            ::RegDeleteValueA(key, kSignal);
            return -1;
        }
        ::WaitForSingleObject(changed, static_cast<DWORD>(left) + 1);
    }
}

// The value at fraction `p` of the sorted values, by nearest rank.
double Percentile(const std::vector<double>& sorted, double p) {
    const auto rank = static_cast<std::size_t>(p * static_cast<double>(sorted.size()) + 0.999999);
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

} // namespace

int main(int argc, char** argv) {
    const int signals = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const int pause = argc > 2 ? std::max(0, std::atoi(argv[2])) : 2500;
    const int spread = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1000;
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0,
                          KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_NOTIFY, nullptr, &key,
                          nullptr) != ERROR_SUCCESS) {
        std::printf("cannot open HKCU\\%s\n", kKey);
        return 1;
    }
    const HANDLE changed = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::mt19937 random(static_cast<unsigned>(NowMs() * 1000));
    std::uniform_int_distribution<int> phase(0, spread - 1);
    std::vector<double> taken;
    int lost = 0;
    for (int i = 0; i < signals; ++i) {
        ::Sleep(static_cast<DWORD>(pause + phase(random)));
        const double ms = TimeOneSignal(key, changed);
        if (ms < 0)
            ++lost;
        else
            taken.push_back(ms);
    }
    ::CloseHandle(changed);
    ::RegCloseKey(key);
    std::sort(taken.begin(), taken.end());
    std::printf("%d signals, %zu taken", signals, taken.size());
    if (lost)
        std::printf(", %d not taken within %.0f ms", lost, kGiveUpMs);
    std::printf("\n");
    if (taken.empty())
        return 1;
    std::printf("until taken: median %.1f ms, 90th percentile %.1f ms, maximum %.1f ms"
                " (minimum %.1f ms)\n",
                Percentile(taken, 0.5), Percentile(taken, 0.9), taken.back(), taken.front());
    return 0;
}
