// The program directory: where the executable lies and where the program
// looks for popup.ini, DIALECTS.INI and popup-exp.ini.
#pragma once

#include <string>

namespace stilvane {

// Computes the directory from the running executable's path; called once at
// start-up. A folder whose name the ANSI code page cannot hold, or a path
// too long for the ANSI calls, is taken in its short (8.3) form where the
// volume has one.
void InitProgramDirectory();

// The directory without a trailing backslash.
const std::string& ProgramDirectory();

// The form of `path` that the ANSI file calls can open: the path itself when
// the code page holds it and it is shorter than MAX_PATH, else its short form
// when that is held; otherwise the path itself if held, else empty text.
std::string PathForAnsiCalls(const std::wstring& path);

} // namespace stilvane
