// The controller in this process, taken through the states a user puts it
// in (idle, the blocked picture, a pause, the statistics window, the tray
// menu, boxes, a file dialog, the editor minimised, the list's context menu,
// the editor's system menu, the window being moved), while a second thread
// plays the blocker: in each state it times SIGNALS block signals from the
// write until the value is gone, then waits SECONDS while nothing is
// written, between the lines "measure" and "measured", over which
// bench/state_latency.sh counts the process's context switches. Each state is entered on the main
// thread from a posted message, as a click would; the modal ones run their own loops meanwhile.
// Usage: state_latency PROGRAM-FOLDER [SIGNALS] [SECONDS] [STATES]
//   (default 10, 15, all): STATES, the first so many states only.
// PROGRAM-FOLDER holds popup.ini; the blocker's key is HKCU\Software\Quillane.
#include "bench_clock.h"
#include "framework/gui/file_dialogs.h"
#include "framework/loop/application.h"
#include "ui/form_Stilvane.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace bench;
using namespace stilvane;

constexpr UINT kRunCall = WM_APP + 40;

HWND caller = nullptr;

LRESULT CALLBACK CallerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunCall) {
        const std::unique_ptr<std::function<void()>> call(
            reinterpret_cast<std::function<void()>*>(lParam));
        (*call)();
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// Runs `call` on the main thread from a posted message; returns at once.
void Post(std::function<void()> call) {
    ::PostMessageA(caller, kRunCall, 0,
                   reinterpret_cast<LPARAM>(new std::function<void()>(std::move(call))));
}

double Percentile(const std::vector<double>& sorted, double p) {
    const auto rank = static_cast<std::size_t>(p * static_cast<double>(sorted.size()) + 0.999999);
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

// Milliseconds from the write until the value is gone; negative when it
// stayed for kGiveUpMs.
double TimeOneSignal(HKEY key, HANDLE changed) {
    const DWORD signal = 1;
    const double written = NowMs();
    ::RegSetValueExA(key, kSignal, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&signal),
                     sizeof signal);
    for (;;) {
        ::RegNotifyChangeKeyValue(key, FALSE, REG_NOTIFY_CHANGE_LAST_SET, changed, TRUE);
        if (::RegQueryValueExA(key, kSignal, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return NowMs() - written;
        const double left = kGiveUpMs - (NowMs() - written);
        if (left <= 0) {
            ::RegDeleteValueA(key, kSignal);
            return -1;
        }
        ::WaitForSingleObject(changed, static_cast<DWORD>(left) + 1);
    }
}

// The shell has taken its count when it makes the file "counted" in the
// current folder. Leaving a state (ending a pause, closing a box, restoring
// the editor) before that would count its own work as wake-ups of the quiet
// state.
void AwaitCount() {
    for (int i = 0; i < 500 && ::GetFileAttributesA("counted") == INVALID_FILE_ATTRIBUTES; ++i)
        ::Sleep(20);
    ::DeleteFileA("counted");
}

struct State {
    const char* name;
    std::function<void()> enter; // on the main thread; may run a loop of its own
    std::function<void()> leave; // on the main thread, from inside that loop
    bool picture = false;        // signals while the last one's picture runs
};

BOOL CALLBACK FindDialog(HWND window, LPARAM result) {
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && ::IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    return TRUE;
}

HWND DialogOfMainThread(DWORD thread) {
    HWND found = nullptr;
    ::EnumThreadWindows(thread, &FindDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

struct Driver {
    TForm_Stilvane& form;
    DWORD mainThread;
    int signals;
    int seconds;
    std::size_t count; // the first states only

    void Run() {
        HKEY key = nullptr;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0,
                          KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_NOTIFY, nullptr, &key, nullptr);
        const HANDLE changed = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
        std::mt19937 random(static_cast<unsigned>(NowMs() * 1000));
        TForm_Stilvane* f = &form;
        const auto closeBox = [this] {
            if (const HWND box = DialogOfMainThread(mainThread))
                ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
        };
        const auto closeBoxNo = [this] {
            if (const HWND box = DialogOfMainThread(mainThread))
                ::PostMessageA(box, WM_COMMAND, IDNO, 0);
        };
        const std::vector<State> states = {
            {"idle", [] {}, [] {}},
            {"blocked picture running", [] {}, [] {}, true},
            {"pause", [f] { f->PauseClick(f->Pause60); }, [f] { f->BlockClick(nullptr); }},
            {"statistics window", [f] { f->CountClick(nullptr); },
             [f] { ::SendMessageA(f->Statistics->Handle(), WM_CLOSE, 0, 0); }},
            {"tray menu", [f] { f->PopupMenu1->Popup(f->Handle(), 100, 100); },
             [] { ::EndMenu(); }},
            {"question box", [] { Application().Ask("Bench?", MB_YESNO | MB_ICONQUESTION); },
             closeBoxNo},
            {"error box", [] { Application().ShowException(Exception("Bench")); }, closeBox},
            {"file dialog",
             [f] {
                 ChooseFileToOpen(f->Handle(), {{"Text files (*.txt)", "*.txt"}});
             },
             closeBox},
            {"editor open, minimised",
             [f] {
                 f->ExceptionsClick(nullptr);
                 ::SendMessageA(f->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
             },
             [f] { ::ShowWindow(f->Handle(), SW_RESTORE); }},
            {"list's context menu",
             [f] {
                 f->Show();
                 ::SendMessageA(f->Editor->ListBox1->Handle(), WM_CONTEXTMENU,
                                reinterpret_cast<WPARAM>(f->Editor->ListBox1->Handle()), -1);
             },
             [] { ::EndMenu(); }},
            {"editor's system menu",
             [f] { ::SendMessageA(f->Handle(), WM_SYSCOMMAND, SC_KEYMENU, ' '); },
             [] { ::EndMenu(); }},
            {"window being moved", [f] { ::SendMessageA(f->Handle(), WM_SYSCOMMAND, SC_MOVE, 0); },
             [f] { ::PostMessageA(f->Handle(), WM_KEYDOWN, VK_ESCAPE, 0); }},
        };
        std::printf("%-26s %8s %8s %8s %6s\n", "state", "median", "90th", "max", "lost");
        for (const State& state : std::span(states).first(std::min(states.size(), count))) {
            Post(state.enter);
            ::Sleep(1500);
            std::vector<double> taken;
            int lost = 0;
            for (int i = 0; i < signals; ++i) {
                std::uniform_int_distribution<int> phase(0, 999);
                ::Sleep(static_cast<DWORD>((state.picture ? 400 : 2300) + phase(random)));
                const double ms = TimeOneSignal(key, changed);
                if (ms < 0)
                    ++lost;
                else
                    taken.push_back(ms);
            }
            std::sort(taken.begin(), taken.end());
            if (taken.empty())
                taken.push_back(-1);
            std::printf("%-26s %8.1f %8.1f %8.1f %6d\n", state.name, Percentile(taken, 0.5),
                        Percentile(taken, 0.9), taken.back(), lost);
            // The last picture's two seconds end first; bench/state_latency.sh
            // counts the switches between the two words.
            ::Sleep(3000);
            if (!state.picture) {
                std::printf("measure\n");
                std::fflush(stdout);
                ::Sleep(static_cast<DWORD>(seconds * 1000));
                std::printf("measured\n");
                std::fflush(stdout);
                AwaitCount();
            }
            std::fflush(stdout);
            Post(state.leave);
            ::Sleep(1500);
        }
        ::CloseHandle(changed);
        ::RegCloseKey(key);
        Post([] { Application().Terminate(); });
    }
};

DWORD WINAPI RunDriver(void* driver) {
    static_cast<Driver*>(driver)->Run();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: state_latency PROGRAM-FOLDER [SIGNALS] [SECONDS] [STATES]\n");
        return 2;
    }
    Application().Initialize();
    Application().SetTitle("Quillane PopUp Blocker");
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &CallerProc;
    windowClass.lpszClassName = "StateLatencyCaller";
    ::RegisterClassA(&windowClass);
    caller = ::CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                               nullptr, nullptr, nullptr);
    TForm_Stilvane form(SharedSettings(), argv[1]);
    Driver driver{form, ::GetCurrentThreadId(), argc > 2 ? std::max(1, std::atoi(argv[2])) : 10,
                  argc > 3 ? std::max(1, std::atoi(argv[3])) : 15,
                  argc > 4 ? static_cast<std::size_t>(std::max(1, std::atoi(argv[4]))) : 99};
    const HANDLE thread = ::CreateThread(nullptr, 0, &RunDriver, &driver, 0, nullptr);
    Application().Run();
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
    return 0;
}
