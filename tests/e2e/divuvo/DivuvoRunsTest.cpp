// How often the adapter starts ffmpeg for one job. Every start costs ffmpeg's whole start-up
// (loading its libraries, most of a short job's time), so the input is listed by a run of its own
// only where no run that the job needs anyway can tell; and the console shows the input once.

#include "E2eSupport.h"
#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

namespace quillabe::test {
namespace {

int countLinesStartingWith(const std::string& text, const std::string& head) {
    int n = 0;
    for (const std::string& line : SplitLines(text))
        n += StartsWith(line, head) ? 1 : 0;
    return n;
}

TEST(DivuvoRuns, FfmpegStartsOnlyAsOftenAsTheJobNeeds) {
    TempDir dir;
    // A stand-in for ffmpeg that notes every start and runs the real one.
    const std::string log = dir.File("starts.log");
    const std::string counted = dir.File("counted-ffmpeg");
    {
        std::ofstream script(counted);
        script << "#!/bin/sh\necho start >>'" << log << "'\nexec ffmpeg \"$@\"\n";
    }
    ASSERT_EQ(::chmod(counted.c_str(), 0755), 0);
    const std::string silentVideo =
        MakeClip("runs-silent.avi", {"-f", "lavfi", "-i", "testsrc=size=176x144:rate=25", "-t", "1",
                                     "-c:v", "mpeg4", "-q:v", "3"});
    const std::string mp3 = "-y -f mp3 -vn -acodec mp3 -ac 2 -ab 128 -ar 44100";
    const std::string movAmr = "-y -f mov -vcodec h264 -b 1200k -r 25 -acodec amr_nb -ac 1 "
                               "-ar 8000 -ab 8";
    const std::string psp = "-y -f psp -vcodec mpeg4 -s 320x240 -b 768k -r 29.97 -acodec aac "
                            "-ac 2 -ab 128 -ar 48000 -strict -2";
    const struct {
        const char* label;
        std::string input, options;
        const char* ext;
        int starts;
    } cases[] = {
        {"audio format", SmallClip(), mp3, ".mp3", 1},
        {"AMR file", SmallClip(), "-y -f amr -vn -acodec amr_nb -ac 1 -ar 8000 -ab 13", ".amr", 1},
        // The decoding run for the AMR audio lists the input too; then the muxing run.
        {"AMR audio in a video", SmallClip(), movAmr, ".mov", 2},
        // Its decoding run finds no audio and the video is converted alone.
        {"AMR audio for a silent video", silentVideo, movAmr, ".mov", 2},
        // Whether a silent track is needed decides the command: the input is listed first.
        {"container that must hold audio", SmallClip(), psp, ".mp4", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ::unlink(log.c_str());
        const std::string out = dir.File(std::string("out") + c.ext);
        ProcessOutput r =
            RunProcess(DivuvoArgv(c.input, c.options, out), {"DIVUVO_FFMPEG=" + counted});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_GT(GetFileSize64(out), 0);
        std::ifstream starts(log);
        int n = 0;
        for (std::string line; std::getline(starts, line);)
            ++n;
        EXPECT_EQ(n, c.starts);
        EXPECT_EQ(countLinesStartingWith(r.err, "Input #0"), 1) << r.err;
        EXPECT_EQ(countLinesStartingWith(r.err, "  Duration: "), 1) << r.err;
        EXPECT_EQ(countLinesStartingWith(r.err, "Output #0"), 1) << r.err;
    }
}

} // namespace
} // namespace quillabe::test
