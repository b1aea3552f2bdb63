#include "app/global.h"

#include "app/program_directory.h"

#include <windows.h>

namespace stilvane {

namespace {
std::string& Directory() {
    static std::string directory;
    return directory;
}
} // namespace

void InitProgramDirectory() {
    // MAX_PATH + 1 covers almost every path; longer ones are read whole too.
    const std::string executable = ReadWholeText(MAX_PATH + 1, [](char* buffer, std::size_t size) {
        return static_cast<std::size_t>(
            ::GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size)));
    });
    Directory() = DirectoryOfPath(executable);
}

const std::string& ProgramDirectory() {
    return Directory();
}

std::string ProgramFile(const std::string& name) {
    return FileInDirectory(ProgramDirectory(), name);
}

} // namespace stilvane
