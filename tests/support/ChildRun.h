#pragma once
// Programs run by tests as real processes: no shell, exact arguments, standard input on
// /dev/null and both output streams collected.

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace quillabe::test {

using namespace std::chrono_literals;

struct RunResult {
    int exitCode = -1; // -1 when the program did not exit normally
    int signal = 0;    // the signal that ended it, if any
    bool timedOut = false;
    std::string out, err;

    std::vector<std::string> OutLines() const;
    std::string LastOutLine() const;
};
using ProcessOutput = RunResult;

// The program's environment with the given "NAME=value" entries added or replaced.
std::vector<std::string> MergedEnvironment(const std::vector<std::string>& env);

// A child with standard input on /dev/null and both output streams on pipes.
class ChildRun {
public:
    // `env` entries ("NAME=value") replace or extend the test's own environment; `cwd` empty
    // keeps the test's own working directory.
    ChildRun(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
             const std::string& cwd = {});
    ~ChildRun(); // kills a child that is still running
    ChildRun(const ChildRun&) = delete;
    ChildRun& operator=(const ChildRun&) = delete;

    pid_t Pid() const { return pid_; }
    // Collects output until standard output holds `text`; false on the end of the child or the
    // time-out.
    bool WaitForOutput(const std::string& text, std::chrono::milliseconds timeout);
    void Signal(int sig) const;
    // Collects everything until the child ends; killed (and timedOut) after the time-out.
    RunResult Finish(std::chrono::milliseconds timeout = 240s);

private:
    bool pump(std::chrono::steady_clock::time_point deadline);

    pid_t pid_ = -1;
    int out_ = -1, err_ = -1;
    RunResult result_;
    bool reaped_ = false;
};

// The program run to its end (see ChildRun for `env`).
RunResult RunProcess(const std::vector<std::string>& argv,
                     const std::vector<std::string>& env = {});

} // namespace quillabe::test
