#pragma once
// What the `quillabe --convert` end-to-end tests share: a private copy of the built program
// directory, clips made once per test program with ffmpeg's lavfi sources, the program run as a
// real process (to its end, or stopped by a signal), ffprobe's view of an output, and the
// processes that still name a test's folder.

#include "TempDir.h"

#include <sys/types.h>

#include <chrono>
#include <set>
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

// A program directory of the test's own, copied from the built one, with folders for inputs and
// outputs beside it. Everything the runs create stays below Root().
class ConvertHome {
public:
    ConvertHome();

    const std::string& Root() const { return dir_.Path(); }
    std::string Home() const { return Root() + "home/"; }
    std::string InputDir() const { return Root() + "in/"; }
    std::string OutputDir() const { return Root() + "out/"; }

    // Copies a clip into the input folder under the name (which may hold sub-folders).
    std::string AddInput(const std::string& clip, const std::string& name) const;
    // A [System] value of info.ini, written before the run.
    void SetSetting(const std::string& key, const std::string& value) const;

    // The program's environment: this home, power actions only printed, and no bus reachable
    // even if they were not.
    std::vector<std::string> Environment() const;
    std::vector<std::string> Command(const std::vector<std::string>& convertArgs) const;
    // `quillabe --convert` with the arguments, to its end, started in `cwd` (when given).
    RunResult Convert(const std::vector<std::string>& convertArgs,
                      const std::string& cwd = {}) const;

private:
    TempDir dir_;
};

// Clips made once per test program.
const std::string& SmallClip();   // 1 s 176x144 25 fps MPEG-4 with 44.1 kHz stereo PCM, AVI
const std::string& RealClip();    // the same as RealMedia (RV10 + AC-3)
const std::string& ShortSound();  // 1 s 44.1 kHz stereo WAV
const std::string& BrokenSound(); // a WAV whose header names a codec nobody decodes
const std::string& LongClip();    // 60 s of the small clip, for runs that must still be busy

struct MediaFacts {
    std::string container, brand;
    std::string video, audio; // codec names of the first stream of each kind
    int width = 0, height = 0;
    int channels = 0, sampleRate = 0;
};
MediaFacts ProbeMedia(const std::string& path);

// "pid: command line" of every process except this one whose command line contains `text`.
std::vector<std::string> ProcessesNaming(const std::string& text);

// The whole file; empty when it cannot be read.
std::string ReadAll(const std::string& path);

// Relative paths of every entry below the folder.
std::set<std::string> EntriesBelow(const std::string& dir);

} // namespace quillabe::test
