// The program directory: where the executable lies and where the program
// looks for popup.ini, DIALECTS.INI and popup-exp.ini.
#pragma once

#include <string>

namespace stilvane {

// Computes the directory from the running executable's path; called once at
// start-up.
void InitProgramDirectory();

// The directory without a trailing backslash.
const std::string& ProgramDirectory();

// program directory + "\" + name.
std::string ProgramFile(const std::string& name);

} // namespace stilvane
