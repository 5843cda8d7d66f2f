#pragma once
// Runs a program for a test and collects what it writes: no shell, exact arguments.

#include <string>
#include <vector>

namespace quillabe::test {

struct ProcessOutput {
    int exitCode = -1; // -1 when the program did not end normally
    int signal = 0;    // the signal that ended it, if any
    std::string out;
    std::string err;
};

// `env` entries ("NAME=value") are added to the test's own environment.
ProcessOutput RunProcess(const std::vector<std::string>& argv,
                         const std::vector<std::string>& env = {});

} // namespace quillabe::test
