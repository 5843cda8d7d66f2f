#pragma once
// Command-line modes: work for scripts, done without a display and without any window.

#include <optional>
#include <string>
#include <vector>

namespace quillabe {

using Args = std::vector<std::string>; // the arguments after the mode's own option

int RunHelp(const Args& args);
int RunVersion(const Args& args);
int RunBuildArgs(const Args& args);          // --build-args FORMAT PROFILE...
int RunSaveDefaultProfile(const Args& args); // --save-default-profile FORMAT PATH
int RunConvert(const Args& args);            // --convert ...
int RunListProfiles(const Args& args);       // --list-profiles [FORMAT]
int RunListTypes(const Args& args);          // --list-types

// Runs the mode named by argv[1], or nullopt when argv[1] names no mode (start the windows).
std::optional<int> RunCommandLineMode(int argc, char** argv);

} // namespace quillabe
