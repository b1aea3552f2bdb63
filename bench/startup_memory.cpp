// What each step of the controller's start adds to the process, taken in
// the order the program takes them (app/Stilvane.cpp, then the main window
// and its FormCreate), then after some seconds of idle message loop: the
// working set, the heaps' blocks in use and their free space, the threads
// and the modules loaded by the step. Where the idle controller's memory
// goes, by cause; bench/idle_memory.sh measures the whole program.
// The last step loads the file dialogs' library the way the editor's import
// and export do, to show what it brings when it is used.
// Usage: startup_memory PROGRAM-FOLDER [IDLE-SECONDS]   (default 5)
//   the folder holds popup.ini and DIALECTS.INI, as the program's does.
#include "framework/loop/application.h"
#include "settings/marl_INI.h"
#include "ui/form_Stilvane.h"

#include <windows.h>
// After windows.h, which they build on:
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>

using namespace stilvane;

namespace {

struct Holdings {
    std::size_t workingSet = 0; // bytes
    std::size_t heapUsed = 0;   // bytes in blocks in use, all heaps
    std::size_t heapFree = 0;   // committed bytes in free blocks
    int threads = 0;
    std::set<std::string> modules;
};

void WalkHeaps(Holdings& holdings) {
    HANDLE heaps[256];
    const DWORD count = std::min<DWORD>(::GetProcessHeaps(256, heaps), 256);
    for (DWORD i = 0; i < count; ++i) {
        if (!::HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry{};
        while (::HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                holdings.heapUsed += entry.cbData;
            else if (!(entry.wFlags & (PROCESS_HEAP_REGION | PROCESS_HEAP_UNCOMMITTED_RANGE)))
                holdings.heapFree += entry.cbData;
        }
        ::HeapUnlock(heaps[i]);
    }
}

Holdings Now() {
    Holdings now;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory))
        now.workingSet = memory.WorkingSetSize;
    WalkHeaps(now);
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 thread{};
    thread.dwSize = sizeof thread;
    for (BOOL more = ::Thread32First(snapshot, &thread); more;
         more = ::Thread32Next(snapshot, &thread))
        now.threads += thread.th32OwnerProcessID == ::GetCurrentProcessId();
    ::CloseHandle(snapshot);
    HMODULE modules[512];
    DWORD bytes = 0;
    if (::EnumProcessModules(::GetCurrentProcess(), modules, sizeof modules, &bytes))
        for (DWORD i = 0; i < std::min<DWORD>(bytes / sizeof(HMODULE), 512); ++i) {
            char name[MAX_PATH];
            if (::GetModuleBaseNameA(::GetCurrentProcess(), modules[i], name, sizeof name))
                now.modules.insert(CharLowerA(name));
        }
    return now;
}

long Kib(std::size_t bytes) {
    return static_cast<long>(bytes / 1024);
}

class Steps {
public:
    Steps() : last_(Now()) {
        std::printf("%-40s %9s %9s %9s %7s  %s\n", "KiB after the step (+ added by it)", "working",
                    "heap used", "heap free", "threads", "modules loaded");
        Print("loaded (the linked libraries)", last_, Holdings{});
    }

    void Take(const char* name, const std::function<void()>& step) {
        step();
        const Holdings now = Now();
        Print(name, now, last_);
        last_ = now;
    }

private:
    static void Print(const char* name, const Holdings& now, const Holdings& before) {
        char working[32], used[32];
        std::snprintf(working, sizeof working, "%ld%+ld", Kib(now.workingSet),
                      Kib(now.workingSet) - Kib(before.workingSet));
        std::snprintf(used, sizeof used, "%ld%+ld", Kib(now.heapUsed),
                      Kib(now.heapUsed) - Kib(before.heapUsed));
        std::printf("%-40s %14s %14s %9ld %7d ", name, working, used, Kib(now.heapFree),
                    now.threads);
        if (before.modules.empty())
            std::printf(" %zu", now.modules.size());
        else
            for (const std::string& module : now.modules)
                if (!before.modules.count(module))
                    std::printf(" %s", module.c_str());
        std::printf("\n");
        std::fflush(stdout);
    }

    Holdings last_;
};

void Idle(int seconds) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
        Application().ProcessMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 200, QS_ALLINPUT);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: startup_memory PROGRAM-FOLDER [IDLE-SECONDS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int idle = argc > 2 ? std::max(0, std::atoi(argv[2])) : 5;
    Steps steps;
    steps.Take("application window", [] {
        Application().Initialize();
        Application().SetTitle("Quillane PopUp Blocker");
    });
    std::optional<LanguageId> language;
    steps.Take("language chosen (popup.ini's sections)",
               [&] { language = ChooseLanguage(folder, ::GetSystemDefaultLangID()); });
    LanguageTexts texts = BuiltInTexts();
    steps.Take("language texts (file and own copy)", [&] {
        if (language)
            texts = ReadLanguageTexts(folder, *language);
    });
    std::unique_ptr<TForm_Stilvane> form;
    steps.Take("main window with its parts, FormCreate",
               [&] { form = std::make_unique<TForm_Stilvane>(SharedSettings(), folder); });
    steps.Take("idle message loop", [&] { Idle(idle); });
    HMODULE dialogs = nullptr;
    steps.Take("file dialogs' library loaded",
               [&] { dialogs = ::LoadLibraryExA("comdlg32.dll", nullptr, 0); });
    form.reset();
    if (dialogs)
        ::FreeLibrary(dialogs);
    return 0;
}
