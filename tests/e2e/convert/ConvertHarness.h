#pragma once
// What the `quillabe --convert` end-to-end tests share: a private copy of the built program
// directory, clips made once per test program with ffmpeg's lavfi sources and the processes that
// still name a test's folder. Runs as real processes and ffprobe's view of an output come from
// ChildRun.h and MediaFacts.h.

#include "support/ChildRun.h"
#include "support/MediaFacts.h"
#include "support/TempDir.h"
#include "support/TestClips.h"

#include <set>
#include <string>
#include <vector>

namespace quillabe::test {

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
// SmallClip() (TestClips.h): 1 s 176x144 25 fps MPEG-4 with 44.1 kHz stereo PCM, AVI.
const std::string& RealClip();    // the same as RealMedia (RV10 + AC-3)
const std::string& ShortSound();  // 1 s 44.1 kHz stereo WAV
const std::string& BrokenSound(); // a WAV whose header names a codec nobody decodes
const std::string& LongClip();    // 60 s of the small clip, for runs that must still be busy

// "pid: command line" of every process except this one whose command line contains `text`.
std::vector<std::string> ProcessesNaming(const std::string& text);

// The whole file; empty when it cannot be read.
std::string ReadAll(const std::string& path);

// Relative paths of every entry below the folder.
std::set<std::string> EntriesBelow(const std::string& dir);

} // namespace quillabe::test
