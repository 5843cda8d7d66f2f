#pragma once
// The program directory of this run, chosen once before anything reads a file.

namespace quillabe {

// Chooses the program directory and, for an installed program, fills the user's own folder from
// the shipped data. Every problem is printed on standard error; with `messageBox` (the desktop,
// whose user may see no terminal) it is shown in a message box as well. False when the program
// cannot run.
bool StartProgramDir(bool messageBox);

} // namespace quillabe
