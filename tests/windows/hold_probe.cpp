// Holds a file open without sharing for some seconds, as a program using it
// does; prints "held" once it has it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3 || ::CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) ==
                         INVALID_HANDLE_VALUE)
        return 1;
    std::puts("held");
    std::fflush(stdout);
    ::Sleep(std::atoi(argv[2]) * 1000); // the handle closes as the process ends
    return 0;
}
