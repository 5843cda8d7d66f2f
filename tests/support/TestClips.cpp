#include "support/TestClips.h"

#include "support/ChildRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace quillabe::test {

const std::string& SharedDir() {
    static std::unique_ptr<TempDir> dir = std::make_unique<TempDir>();
    return dir->Path();
}

std::string MakeClip(const std::string& name, const std::vector<std::string>& ffmpegArgs) {
    std::string path = SharedDir() + name;
    std::vector<std::string> argv{"ffmpeg", "-hide_banner", "-loglevel", "error", "-y"};
    argv.insert(argv.end(), ffmpegArgs.begin(), ffmpegArgs.end());
    argv.push_back(path);
    RunResult r = RunProcess(argv);
    if (r.exitCode != 0)
        ADD_FAILURE() << "cannot make " << name << ": " << r.err;
    return path;
}

const std::string& SmallClip() {
    static const std::string path =
        MakeClip("clip.avi", {"-f", "lavfi", "-i", "testsrc=size=176x144:rate=25", "-f", "lavfi",
                              "-i", "sine=frequency=440:sample_rate=44100", "-t", "1", "-ac", "2",
                              "-c:v", "mpeg4", "-q:v", "3", "-c:a", "pcm_s16le"});
    return path;
}

} // namespace quillabe::test
