// Holds a file open without sharing for a number of seconds, as a program
// that has it in use does. Prints "held" once it has it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const HANDLE file = ::CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    std::puts("held");
    std::fflush(stdout);
    ::Sleep(std::atoi(argv[2]) * 1000);
    ::CloseHandle(file);
    return 0;
}
