#pragma once
// Shared pieces of the runner tests: an application object for the hand-overs, running the event
// loop until a condition holds, and a recorder of one runner's events.

#include "engine/Redirector.h"

#include <gtest/gtest.h>

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace quillabe::test {

// Creates the QCoreApplication once and adopts orphaned grandchildren, so that a test can reap
// them and see a process group really end even where init leaves zombies behind.
class RunnerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
};

// Runs the event loop until done() holds; false after the timeout.
bool RunUntil(const std::function<bool()>& done, int timeoutMs = 10000);
// Runs the event loop for a while (to see that nothing more arrives).
void RunFor(int ms);

// "/bin/sh -c <script>" as one command line.
std::string ShellLine(const std::string& script);
// The arguments quoted and joined with blanks.
std::string JoinQuoted(const std::vector<std::string>& args);

// Number of descriptors this process holds.
int OpenFdCount();
// Reaps adopted orphans until no process of the group is left; false after the timeout.
bool GroupGone(pid_t pgid, int timeoutMs = 5000);
// The text of "seq 1 n".
std::string SeqText(int n);

// Records everything one runner reports.
struct Recorder {
    std::string out, err;
    std::string outAtEnd, errAtEnd;
    bool exitedAtEnd = false;
    bool runningAtEnd = true;
    int ends = 0;
    int outCalls = 0;
    std::vector<std::string> errors;

    void Attach(TRedirector& runner);
};

} // namespace quillabe::test
