// The adapter as a process: refusals and failures, the DirectShow script, hostile file names and
// stopping.

#include "E2eSupport.h"
#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace quillabe::test {
namespace {

bool isErrorLine(const std::string& line) {
    return (StartsWith(line, "Error") && !StartsWith(line, "Error while decoding stream")) ||
           Contains(line, "Could not open") || Contains(line, "I/O error occured") ||
           Contains(line, "No audio or video streams available");
}

// The console's lines as the program splits them (at CR, LF or CR LF).
std::string errorLineOf(const std::string& console) {
    for (const std::string& line : SplitLines(console))
        if (isErrorLine(line))
            return line;
    return {};
}

std::string unwritableFolder(const TempDir& dir) {
    // Permission bits do not stop root; sysfs refuses to create files for everyone.
    if (geteuid() == 0)
        return "/sys/";
    std::string ro = dir.File("ro/");
    ForceDirectories(ro);
    chmod(ro.c_str(), 0555);
    return ro;
}

TEST(DivuvoFailures, EndWithAnErrorLineAndLeaveNoOutput) {
    TempDir dir;
    std::string existing = dir.Write("existing.avi", "keep me");
    struct F {
        const char* name;
        std::string input, options, output, errorPart;
    } cases[] = {
        {"missing input", dir.File("no such clip.avi"), "-y -f avi", dir.File("a.avi"),
         "Could not open input file '" + dir.File("no such clip.avi") + "'"},
        {"unwritable folder", SmallClip(), "-y -f avi", unwritableFolder(dir) + "divuvo-x.avi",
         "Could not open output file"},
        {"missing folder", SmallClip(), "-y -f avi", dir.File("none/a.avi"), "No such file"},
        {"unknown option", SmallClip(), "-y -deinterlace", dir.File("b.avi"),
         "unknown option '-deinterlace'"},
        {"refused frame size", SmallClip(), "-y -f avi -vcodec h263 -s 320x240 -b 1080k",
         dir.File("c.avi"), "H.263 does not support a frame size of 320x240"},
        {"refused sample rate", SmallClip(),
         "-y -f avi -vcodec msmpeg4 -acodec ac3 -ac 2 -ar 22050", dir.File("d.avi"),
         "AC3 encoder does not support a sample rate of 22050 Hz"},
        {"no audio to convert", SmallClip(), "-y -f avi -an -vcodec msmpeg4", dir.File("e.mp3"),
         ""},
        {"start beyond the end", SmallClip(), "-y -f mp3 -t -ss 0:00:05.000 -vn", dir.File("f.mp3"),
         "nothing was encoded"},
        {"existing output without -y", SmallClip(), "-f avi", existing, "already exists"},
        {"output is the input", existing, "-y -f avi", existing, "is the input file"},
        {"refused before anything runs", SmallClip(), "-y -f amr -acodec mp3", existing,
         "only hold AMR audio"},
    };
    // A video-only input for the audio format: the audio has to come from somewhere.
    std::string silentClip = dir.File("video only.avi");
    ASSERT_EQ(RunDivuvo(SmallClip(), "-y -f avi -vcodec mpeg4 -an", silentClip).exitCode, 0);
    cases[6].input = silentClip;
    cases[6].options = "-y -f mp3 -vn -acodec mp3 -ac 2 -ab 128 -ar 44100";
    cases[6].errorPart = "Error: the file has no audio stream";

    for (const F& c : cases) {
        SCOPED_TRACE(c.name);
        ProcessOutput r = RunDivuvo(c.input, c.options, c.output);
        EXPECT_NE(r.exitCode, 0);
        std::string line = errorLineOf(r.err);
        EXPECT_NE(line, "") << r.err;
        EXPECT_NE(line.find(c.errorPart), std::string::npos) << line;
        if (c.output != existing) {
            EXPECT_FALSE(PathExists(c.output));
        }
    }
    EXPECT_EQ(dir.Read("existing.avi"), "keep me");

    ProcessOutput noFfmpeg =
        RunProcess({DIVUVO, "-p", "4417306", "-i", SmallClip(), "-y", dir.File("h.avi")},
                   {"DIVUVO_FFMPEG=/nonexistent/ffmpeg"});
    EXPECT_EQ(noFfmpeg.exitCode, 1);
    EXPECT_EQ(errorLineOf(noFfmpeg.err),
              "Error: cannot start /nonexistent/ffmpeg: No such file or directory");
    EXPECT_FALSE(PathExists(dir.File("h.avi")));

    for (const char* code : {"", "4417307"}) {
        std::vector<std::string> argv{DIVUVO, "-p", code, "-i", SmallClip(), dir.File("g.avi")};
        ProcessOutput r = RunProcess(argv);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(errorLineOf(r.err).find("access code"), std::string::npos) << r.err;
    }

    // A refused value is quoted on one line, whatever it holds.
    struct Refused {
        std::vector<std::string> options;
        const char* line;
    } refused[] = {
        {{"-t", "1\rError: x"},
         "Error: invalid time '1?Error: x' for option -t (expected h:mm:ss.xxx or seconds)"},
        {{"-x\nCould not open"}, "Error: unknown option '-x?Could not open'"},
    };
    for (const Refused& c : refused) {
        std::vector<std::string> argv{DIVUVO, "-p", "4417306", "-i", SmallClip()};
        argv.insert(argv.end(), c.options.begin(), c.options.end());
        argv.push_back(dir.File("i.avi"));
        ProcessOutput r = RunProcess(argv);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(SplitLines(r.err), std::vector<std::string>{c.line}) << r.err;
    }
}

TEST(DivuvoScript, OpensTheSourceTheScriptNames) {
    TempDir dir;
    // A name with everything a shell or a naive parser would trip over.
    std::string source =
        dir.File("-it's \"q\" (1) $HOME `id` Could not open\nline two \xC3\xA9.avi");
    std::filesystem::copy_file(SmallClip(), source);
    std::string templ;
    ASSERT_TRUE(
        ReadFileText(std::string(QUILLABE_SOURCE) + "/data/profile_en/DirectShow.avs", templ));
    std::string script =
        dir.Write("DirectShow.avs", ReplaceAllIgnoreCase(templ, "<%INPUTFILE%>", source));
    std::string out = dir.File("-out \"1\"\n.avi");
    ProcessOutput r = RunDivuvo(script,
                                "-y -f avi -vcodec msmpeg4 -b 1080k -r 25 -acodec mp3 "
                                "-ac 2 -ab 96 -ar 22050",
                                out);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("Input #0, avs, from '" + script + "':\n"), std::string::npos) << r.err;
    EXPECT_EQ(errorLineOf(r.err), "");
    // Names are shown on one line each, never as a marker.
    EXPECT_NE(r.err.find("to '" + dir.File("-out \"1\"?.avi") + "':\n"), std::string::npos);
    MediaFacts p = ProbeMedia(out);
    EXPECT_EQ(p.video, "msmpeg4v3");
    EXPECT_EQ(p.audio, "mp3");
}

struct Stop {
    const char* name;
    const char* options;
    int signal;
    bool groupWide; // the program stops the group; a lone kill of the adapter must work too
};

void PrintTo(const Stop& s, std::ostream* os) {
    *os << s.name;
}

class DivuvoStop : public ::testing::TestWithParam<Stop> {};

TEST_P(DivuvoStop, NoEncoderOutlivesTheStop) {
    const Stop& s = GetParam();
    TempDir dir;
    std::string out = dir.File("stopped.out");
    int console = -1;
    pid_t pid = SpawnInOwnGroup(DivuvoArgv(LongSound(), s.options, out), console);
    ASSERT_GT(pid, 0);

    // Wait until a progress report shows output written: ffmpeg is then well into encoding.
    std::string text;
    auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    auto written = [&text] {
        for (size_t at = text.find("size="); at != std::string::npos;
             at = text.find("size=", at + 1)) {
            size_t digit = text.find_first_not_of(' ', at + 5);
            if (digit != std::string::npos && text[digit] != '0')
                return true;
        }
        return false;
    };
    while (!written()) {
        ASSERT_LT(std::chrono::steady_clock::now(), giveUp) << text;
        ASSERT_TRUE(ReadSome(console, text, std::chrono::milliseconds(100))) << text;
    }
    EXPECT_GE(LiveMembers(pid).size(), 2u) << "ffmpeg should run in the adapter's group";
    kill(s.groupWide ? -pid : pid, s.signal);

    int status = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (waitpid(pid, &status, WNOHANG) == 0) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the adapter did not stop";
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ReadSome(console, text, std::chrono::milliseconds(0));
    close(console);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == s.signal) << status;
    EXPECT_TRUE(WaitUntilEmpty(pid, std::chrono::seconds(5)))
        << LiveMembers(pid).size() << " process(es) left";
    // A stop keeps what was written; a SIGKILL leaves whatever ffmpeg had flushed.
    if (s.signal != SIGKILL) {
        EXPECT_GT(GetFileSize64(out), 0) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Signals, DivuvoStop,
    ::testing::Values(
        Stop{"term_mp3", "-y -f mp3 -vn -acodec mp3 -ac 2 -ab 128 -ar 44100", SIGTERM, true},
        Stop{"int_amr", "-y -f amr -vn -acodec amr_nb -ac 1 -ar 8000 -ab 13", SIGINT, true},
        Stop{"kill_adapter_alone", "-y -f ac3 -vn -acodec ac3 -ac 2 -ar 48000", SIGKILL, false}),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace quillabe::test
