#pragma once
// The program's state without any window: what both the desktop start and the command-line modes
// set up before they do their work.

#include <string>

namespace quillabe {

struct StateResult {
    bool ok = true;
    bool settingsExisted = false;
    bool typeDataLoaded = false;
    std::string error; // why the state could not be started
};

// Start-up constants, the defaults of GlobalVars, the settings file, the profile folders, the
// language file and the type data file, in the program's start order. Fails (ok false) only when
// the profile folders cannot be created; a missing type data file leaves typeDataLoaded false.
StateResult StartProgramState();

// The same state for modes that only print: the settings file is read when there is one, the
// profile folders are named but not created, and nothing is written or removed. Never fails.
StateResult ReadProgramState();

} // namespace quillabe
