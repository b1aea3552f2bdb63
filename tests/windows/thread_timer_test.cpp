// The thread timer with real worker threads and real message loops.
#include "components/ThreadTimer.h"
#include "framework/loop/application.h"
#include "framework/loop/main_thread_calls.h"
#include "framework/portable/errors.h"
#include "message_pump.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace stilvane {
namespace {

using testing::NowMs;
using testing::PumpFor;
using testing::PumpUntil;

// A timer with a handler that records when each tick came.
struct Recorder {
    explicit Recorder(std::int32_t delay) : timer(std::make_unique<TThreadTimer>(nullptr)) {
        timer->SetDelay(delay);
        timer->SetOnTimer([this](TComponent* sender) {
            EXPECT_EQ(sender, timer.get());
            ticks.push_back(NowMs());
            if (onTick)
                onTick();
        });
    }
    void Start() {
        started = NowMs();
        timer->SetActive(true);
    }
    std::size_t Count() const { return ticks.size(); }
    double Since(std::size_t i) const { return ticks.at(i) - started; }

    std::unique_ptr<TThreadTimer> timer;
    std::vector<double> ticks;
    std::function<void()> onTick;
    double started = 0;
};

int ThreadsOfThisProcess() {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = ::Thread32First(snapshot, &entry); more;
         more = ::Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == ::GetCurrentProcessId();
    ::CloseHandle(snapshot);
    return count;
}

// --- timing -----------------------------------------------------------------

TEST(ThreadTimerTiming, FirstTickComesOneDelayAfterActivation) {
    Recorder r(300);
    r.Start();
    ASSERT_TRUE(PumpUntil([&] { return r.Count() >= 2; }, 5000));
    EXPECT_GE(r.Since(0), 280.0);
    EXPECT_GE(r.ticks[1] - r.ticks[0], 280.0);
}

TEST(ThreadTimerTiming, InactiveTimerNeverTicks) {
    Recorder r(20);
    PumpFor(300);
    EXPECT_EQ(r.Count(), 0u);
}

TEST(ThreadTimerTiming, SlowHandlerDoesNotLetTicksQueueUp) {
    Recorder r(50);
    std::vector<double> handlerEnds;
    r.onTick = [&] {
        ::Sleep(150);
        handlerEnds.push_back(NowMs());
    };
    r.Start();
    PumpFor(1500);
    r.timer.reset();
    // Each pause starts only when the handler has returned: 200 ms a cycle.
    EXPECT_LE(r.Count(), 8u);
    EXPECT_GE(r.Count(), 3u);
    for (std::size_t i = 1; i < r.Count(); ++i)
        EXPECT_GE(r.ticks[i] - handlerEnds[i - 1], 45.0) << i;
}

TEST(ThreadTimerTiming, DelayZeroTicksAsFastAsTheMainThreadServes) {
    Recorder r(0);
    r.Start();
    PumpFor(300);
    EXPECT_GE(r.Count(), 20u);
}

TEST(ThreadTimerTiming, DelayChangeTakesEffectAtTheNextPause) {
    Recorder r(500);
    r.Start();
    PumpFor(100);
    r.timer->SetDelay(50);
    ASSERT_TRUE(PumpUntil([&] { return r.Count() >= 4; }, 5000));
    EXPECT_GE(r.Since(0), 480.0); // the pause under way kept its length
    EXPECT_LT(r.ticks[3] - r.ticks[0], 450.0);
}

TEST(ThreadTimerTiming, NegativeDelayNeverWakesEvenWhenChangedLater) {
    Recorder r(-1);
    r.Start();
    PumpFor(200);
    r.timer->SetDelay(10);
    PumpFor(300);
    EXPECT_EQ(r.Count(), 0u);
}

// --- state ------------------------------------------------------------------

TEST(ThreadTimerState, ActivatingTwiceIsTheSameAsOnce) {
    Recorder once(100), twice(100);
    once.Start();
    twice.Start();
    twice.timer->SetActive(true);
    PumpFor(1050);
    EXPECT_TRUE(twice.timer->Active());
    EXPECT_LE(twice.Count(), once.Count() + 1);
    EXPECT_GE(twice.Count(), 5u);
}

TEST(ThreadTimerState, PauseKeepsTheDeadlineOfTheSleepUnderWay) {
    Recorder r(400);
    r.Start();
    PumpFor(100);
    r.timer->SetActive(false);
    PumpFor(150);
    EXPECT_FALSE(r.timer->Active());
    r.timer->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return r.Count() >= 1; }, 3000));
    EXPECT_GE(r.Since(0), 380.0);
    EXPECT_LT(r.Since(0), 620.0) << "the pause restarted instead of keeping its deadline";
}

TEST(ThreadTimerState, ResumingAfterThePassedDeadlineTicksAtOnce) {
    Recorder r(200);
    r.Start();
    PumpFor(50);
    r.timer->SetActive(false);
    PumpFor(600);
    EXPECT_EQ(r.Count(), 0u) << "a paused timer ticked";
    const double resumed = NowMs();
    r.timer->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return r.Count() >= 1; }, 3000));
    EXPECT_LT(r.ticks[0] - resumed, 150.0);
}

TEST(ThreadTimerState, TickAlreadyHandedOverIsDeliveredAfterDeactivation) {
    Recorder r(30);
    r.Start();
    ::Sleep(300); // the worker hands a tick over and waits for us
    r.timer->SetActive(false);
    PumpFor(100);
    EXPECT_EQ(r.Count(), 1u);
    PumpFor(300);
    EXPECT_EQ(r.Count(), 1u) << "ticks went on after deactivation";
}

TEST(ThreadTimerState, NoHandlerStillCyclesAndAHandlerSetLaterGetsTicks) {
    Recorder r(30);
    r.timer->SetOnTimer(nullptr);
    r.timer->SetActive(true);
    PumpFor(200);
    int late = 0;
    r.timer->SetOnTimer([&](TComponent*) { ++late; });
    ASSERT_TRUE(PumpUntil([&] { return late >= 2; }, 3000));
}

// --- errors -----------------------------------------------------------------

TEST(ThreadTimerErrors, AnErrorIsShownOnceAfterItsTickAndTheTicksGoOn) {
    // Five ticks fail, one succeeds, the rest fail otherwise: one box a run.
    testing::MessageBoxAnswerer answerer;
    Recorder r(30);
    r.onTick = [&] {
        if (r.Count() != 6)
            throw std::runtime_error(r.Count() < 6 ? "Fehler im Takt" : "Noch ein Fehler");
    };
    r.Start();
    EXPECT_TRUE(PumpUntil([&] { return r.Count() >= 12; }, 5000)) << r.Count() << " ticks";
    EXPECT_TRUE(PumpUntil([&] { return answerer.Texts().size() >= 2; }, 3000));
    PumpFor(300);
    EXPECT_EQ(answerer.Texts(), (std::vector<std::string>{"Fehler im Takt.", "Noch ein Fehler."}));
}

TEST(ThreadTimerErrors, AnErrorOfNoKnownKindIsToldByTheFixedTextAndTheTicksGoOn) {
    testing::MessageBoxAnswerer answerer;
    Recorder r(30);
    r.onTick = [] { throw 42; };
    r.Start();
    EXPECT_TRUE(PumpUntil([&] { return r.Count() >= 3; }, 3000)) << r.Count() << " ticks";
    Application().RunHandler([] { throw 'x'; });
    EXPECT_TRUE(PumpUntil([&] { return answerer.Texts().size() >= 2; }, 3000));
    PumpFor(300); // the ticks' failure once, the handler's
    EXPECT_EQ(answerer.Texts(), std::vector<std::string>(2, messages::UnknownError()));
}

TEST(ThreadTimerErrors, AFailedStartSaysWhyWithoutTheTextsOfTheWindowThatFailed) {
    testing::MessageBoxAnswerer answerer;
    Application().SetMessageText([](const std::exception&) -> std::string { throw 1; });
    Application().ShowStartFailure(nullptr);
    Application().ShowStartFailure(std::make_unique<EConvertError>("kaputt").get());
    EXPECT_EQ(answerer.Texts(), (std::vector<std::string>{messages::UnknownError(), "kaputt."}));
}

TEST(ThreadTimerErrors, ErrorRaisedOnTheMainThreadIsCarriedToTheCaller) {
    std::exception_ptr carried;
    std::string seen;
    testing::TestThread caller([&] {
        try {
            RunOnMainThread([] { throw EConvertError("kaputt"); }, carried);
        } catch (const EConvertError& e) {
            seen = e.what();
        }
    });
    PumpUntil([&] { return !seen.empty(); }, 3000);
    caller.Join();
    EXPECT_EQ(seen, "kaputt");
}

TEST(ThreadTimerErrors, CheckSynchronizeOffTheMainThreadIsRefused) {
    std::string message;
    DWORD id = 0;
    testing::TestThread other([&] {
        id = ::GetCurrentThreadId();
        try {
            CheckSynchronize();
        } catch (const EThread& e) {
            message = e.what();
        }
    });
    other.Join();
    char hex[16];
    std::snprintf(hex, sizeof hex, "%lx", id);
    EXPECT_EQ(message, std::string("CheckSynchronize wurde vom Thread $") + hex +
                           " aufgerufen, der NICHT der Haupt-Thread ist.");
}

// --- lifetime ---------------------------------------------------------------

TEST(ThreadTimerLifetime, DestroyedTimersHandNoTickAndReleaseTheirThreads) {
    PumpFor(100);
    const int before = ThreadsOfThisProcess();
    {
        int ticks = 0;
        auto handler = [&](TComponent*) { ++ticks; };

        auto sleeping = std::make_unique<TThreadTimer>(nullptr);
        sleeping->SetDelay(100);
        sleeping->SetOnTimer(handler);
        sleeping->SetActive(true);

        auto waiting = std::make_unique<TThreadTimer>(nullptr);
        waiting->SetDelay(10);
        waiting->SetOnTimer(handler);
        waiting->SetActive(true);

        auto paused = std::make_unique<TThreadTimer>(nullptr);
        paused->SetDelay(10);
        paused->SetOnTimer(handler);
        paused->SetActive(true);
        paused->SetActive(false);

        auto neverActive = std::make_unique<TThreadTimer>(nullptr);
        neverActive->SetOnTimer(handler);

        ::Sleep(60); // `waiting` has handed a tick over by now
        sleeping.reset();
        waiting.reset();
        paused.reset();
        neverActive.reset();
        PumpFor(400);
        EXPECT_EQ(ticks, 0);
    }
    EXPECT_TRUE(PumpUntil([&] { return ThreadsOfThisProcess() <= before; }, 3000))
        << "worker threads left: " << ThreadsOfThisProcess() - before;
}

TEST(ThreadTimerLifetime, TimerDestroyedInsideItsOwnTickIsSafe) {
    auto timer = std::make_unique<TThreadTimer>(nullptr);
    int ticks = 0;
    timer->SetDelay(20);
    timer->SetOnTimer([&](TComponent*) {
        ++ticks;
        timer.reset();
    });
    timer->SetActive(true);
    PumpFor(300);
    EXPECT_EQ(ticks, 1);
}

// --- delivery inside other message loops ------------------------------------

// Closes a window found by class and title from another thread after a
// while, so that a failing test does not hang.
class Watchdog {
public:
    Watchdog(const char* windowClass, const char* title, UINT message, WPARAM wParam)
        : thread_([=, this] {
              if (::WaitForSingleObject(cancel_, 5000) == WAIT_OBJECT_0)
                  return;
              fired_ = true;
              if (HWND window = ::FindWindowA(windowClass, title))
                  ::PostMessageA(window, message, wParam, 0);
          }) {}
    ~Watchdog() {
        ::SetEvent(cancel_);
        thread_.Join();
        ::CloseHandle(cancel_);
    }
    bool Fired() const { return fired_; }

private:
    HANDLE cancel_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> fired_{false};
    testing::TestThread thread_;
};

TEST(ThreadTimerDelivery, TicksArriveWhileAModalMessageBoxIsOpen) {
    const char title[] = "Stilvane modal box";
    Recorder r(50);
    r.onTick = [&] {
        if (r.Count() == 3)
            if (HWND box = ::FindWindowA("#32770", title))
                ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    };
    r.Start();
    {
        Watchdog watchdog("#32770", title, WM_COMMAND, IDOK);
        ::MessageBoxA(nullptr, "Ticks?", title, MB_OK);
        EXPECT_FALSE(watchdog.Fired()) << "the box had to be closed by the watchdog";
    }
    EXPECT_GE(r.Count(), 3u);
}

TEST(ThreadTimerDelivery, TicksArriveWhileAPopupMenuIsTracked) {
    Recorder r(50);
    r.onTick = [&] {
        if (r.Count() == 3)
            ::EndMenu();
    };
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING, 1, "Eintrag");
    r.Start();
    {
        Watchdog watchdog("#32768", nullptr, WM_KEYDOWN, VK_ESCAPE);
        ::SetForegroundWindow(Application().Handle());
        ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, 100, 100, 0, Application().Handle(),
                         nullptr);
        EXPECT_FALSE(watchdog.Fired()) << "the menu had to be closed by the watchdog";
    }
    ::DestroyMenu(menu);
    EXPECT_GE(r.Count(), 3u);
}

} // namespace
} // namespace stilvane
