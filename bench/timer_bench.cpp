// Runs a 333 ms thread timer with an empty handler and prints how far the
// periods overrun the delay and how much processor time a tick costs.
// Usage: timer_bench [seconds]   (default 30)
#include "components/ThreadTimer.h"
#include "framework/loop/application.h"
#include "framework/loop/steady_clock.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

using namespace stilvane;

namespace {

double NowMs() {
    return SteadyMilliseconds();
}

double ProcessCpuMs() {
    FILETIME creation, exit, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &creation, &exit, &kernel, &user);
    auto ms = [](FILETIME t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const std::size_t i = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1));
    return values[i];
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    constexpr int kDelay = 333;

    Application().Initialize();
    std::vector<double> ticks;
    ticks.reserve(static_cast<std::size_t>(seconds) * 4 + 8);
    TThreadTimer timer(nullptr);
    timer.SetDelay(kDelay);
    timer.SetOnTimer([&](TComponent*) {
        ticks.push_back(NowMs());
        if (ticks.size() > 1 && ticks.back() - ticks.front() >= seconds * 1000.0)
            Application().Terminate();
    });

    // Let the window system settle first, so that its start-up is not billed
    // to the ticks.
    const double settle = NowMs() + 1000;
    while (NowMs() < settle) {
        Application().ProcessMessages();
        ::Sleep(10);
    }
    const double cpuStart = ProcessCpuMs();
    ticks.push_back(NowMs());
    timer.SetActive(true);
    Application().Run();
    const double cpu = ProcessCpuMs() - cpuStart;

    // The same time with the timer paused: what the idle process costs by
    // itself under this system (Wine's own housekeeping included).
    timer.SetActive(false);
    const double idleStart = ProcessCpuMs();
    const double idleEnd = NowMs() + seconds * 1000.0;
    while (NowMs() < idleEnd) {
        Application().ProcessMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1000, QS_ALLINPUT);
    }
    const double idleCpu = ProcessCpuMs() - idleStart;

    std::vector<double> overrun;
    for (std::size_t i = 1; i < ticks.size(); ++i)
        overrun.push_back(ticks[i] - ticks[i - 1] - kDelay);
    const std::size_t n = overrun.size();
    const double mean = std::accumulate(overrun.begin(), overrun.end(), 0.0) / n;
    std::printf("thread timer, delay %d ms, %d s\n", kDelay, seconds);
    std::printf("ticks:                  %zu\n", n);
    std::printf("overrun mean:           %.3f ms\n", mean);
    std::printf("overrun median:         %.3f ms\n", Percentile(overrun, 0.5));
    std::printf("overrun 99th percentile: %.3f ms\n", Percentile(overrun, 0.99));
    std::printf("overrun max:            %.3f ms\n", Percentile(overrun, 1.0));
    std::printf("CPU per tick:           %.4f ms (process user + system)\n", cpu / n);
    std::printf("CPU per tick over idle: %.4f ms (idle process: %.1f ms in %d s)\n",
                (cpu - idleCpu) / n, idleCpu, seconds);
    std::printf("(process times advance in steps of about 10 ms under Wine)\n");
    return 0;
}
