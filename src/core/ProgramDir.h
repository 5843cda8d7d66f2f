#pragma once
// The program directory: everything the program reads and writes lives below it.

#include <string>

namespace quillabe {

// The folder of the running executable, or the folder QUILLABE_HOME names; with a trailing "/".
// Resolved once; ResetProgramDir() makes the next call look again (tests).
const std::string& ProgramDir();
void ResetProgramDir();

// ProgramDir() + relative name.
std::string InProgramDir(const std::string& relative);

} // namespace quillabe
