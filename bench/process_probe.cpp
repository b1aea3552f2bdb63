// Prints what a running process holds, for the soak run: one line
// "working_set_kb=N threads=N handles=N gdi=N user=N" for the first process
// of the given executable name. Counts Wine cannot give show as "n/a".
// Usage: process_probe NAME.exe
#include <windows.h>
// After windows.h, which they build on:
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    DWORD processId = 0, threads = 0;
    for (BOOL more = ::Process32First(snapshot, &entry); more;
         more = ::Process32Next(snapshot, &entry))
        if (_stricmp(entry.szExeFile, argv[1]) == 0) {
            processId = entry.th32ProcessID;
            threads = entry.cntThreads;
            break;
        }
    ::CloseHandle(snapshot);
    if (!processId) {
        std::printf("not running\n");
        return 1;
    }
    const HANDLE process =
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    const bool haveMemory = ::GetProcessMemoryInfo(process, &memory, sizeof memory);
    DWORD handles = 0;
    // Every running process holds handles; 0 means the count is not kept.
    const bool haveHandles = ::GetProcessHandleCount(process, &handles) && handles != 0;
    const DWORD gdi = ::GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD user = ::GetGuiResources(process, GR_USEROBJECTS);
    ::CloseHandle(process);
    auto number = [](bool have, unsigned long value) {
        static char text[2][16];
        static int next = 0;
        char* out = text[next++ % 2];
        if (have)
            std::snprintf(out, 16, "%lu", value);
        else
            std::strcpy(out, "n/a");
        return out;
    };
    std::printf("working_set_kb=%s threads=%lu handles=%s",
                number(haveMemory, memory.WorkingSetSize / 1024), threads,
                number(haveHandles, handles));
    std::printf(" gdi=%s user=%s\n", number(gdi != 0, gdi), number(user != 0, user));
    return 0;
}
