// The adapter as a process: refusals and failures, the DirectShow script, hostile file names and
// stopping.

#include "E2eSupport.h"
#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

extern char** environ;

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
    cases[6].errorPart = "No audio or video streams available";

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

// Processes of a group that are still alive (zombies waiting for a reaper do not count).
std::vector<pid_t> liveMembers(pid_t group) {
    std::vector<pid_t> pids;
    DIR* proc = opendir("/proc");
    while (dirent* e = readdir(proc)) {
        pid_t pid = atoi(e->d_name);
        if (pid <= 0)
            continue;
        std::ifstream stat("/proc/" + std::string(e->d_name) + "/stat");
        std::string line;
        std::getline(stat, line);
        size_t close = line.rfind(')');
        if (close == std::string::npos)
            continue;
        char state = 0;
        int ppid = 0, pgrp = 0;
        if (sscanf(line.c_str() + close + 1, " %c %d %d", &state, &ppid, &pgrp) == 3 &&
            pgrp == group && state != 'Z')
            pids.push_back(pid);
    }
    closedir(proc);
    return pids;
}

bool waitUntilEmpty(pid_t group, std::chrono::milliseconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (!liveMembers(group).empty()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
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
    std::vector<std::string> args{DIVUVO, "-p", "4417306", "-i", LongSound()};
    for (const std::string& w : Words(s.options))
        args.push_back(w);
    args.push_back(out);
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int err[2];
    ASSERT_EQ(pipe(err), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    posix_spawn_file_actions_addclose(&actions, err[0]);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP); // a group of its own, as the program
    posix_spawnattr_setpgroup(&attr, 0);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, &attr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    close(err[1]);

    // Wait until a progress report shows output written: ffmpeg is then well into encoding.
    std::string console;
    auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    auto written = [&console] {
        for (size_t at = console.find("size="); at != std::string::npos;
             at = console.find("size=", at + 1)) {
            size_t digit = console.find_first_not_of(' ', at + 5);
            if (digit != std::string::npos && console[digit] != '0')
                return true;
        }
        return false;
    };
    while (!written()) {
        ASSERT_LT(std::chrono::steady_clock::now(), giveUp) << console;
        pollfd fd{err[0], POLLIN, 0};
        if (poll(&fd, 1, 100) > 0) {
            char buffer[4096];
            ssize_t n = read(err[0], buffer, sizeof buffer);
            ASSERT_GT(n, 0) << console;
            console.append(buffer, static_cast<size_t>(n));
        }
    }
    EXPECT_GE(liveMembers(pid).size(), 2u) << "ffmpeg should run in the adapter's group";
    kill(s.groupWide ? -pid : pid, s.signal);

    int status = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (waitpid(pid, &status, WNOHANG) == 0) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the adapter did not stop";
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    char rest[65536];
    ssize_t n = read(err[0], rest, sizeof rest);
    console.append(rest, n > 0 ? static_cast<size_t>(n) : 0);
    close(err[0]);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == s.signal) << status;
    EXPECT_TRUE(waitUntilEmpty(pid, std::chrono::seconds(5)))
        << liveMembers(pid).size() << " process(es) left";
    // A stop keeps what was written; a SIGKILL leaves whatever ffmpeg had flushed.
    if (s.signal != SIGKILL) {
        EXPECT_GT(GetFileSize64(out), 0) << console;
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
