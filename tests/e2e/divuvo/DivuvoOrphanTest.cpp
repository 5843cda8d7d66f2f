// The adapter when its run cannot end well: the program that started it dies, its console pipe is
// closed, or ffmpeg dies or fails under it. Nothing may go on converting, and no partial output
// may stay behind to pass for a result.

#include "E2eSupport.h"
#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

namespace quillabe::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::vector<std::string> errorLines(const std::string& console) {
    std::vector<std::string> lines;
    for (const std::string& line : SplitLines(console))
        if (StartsWith(line, "Error"))
            lines.push_back(line);
    return lines;
}

// What the run's folder holds: the output and any temporary file of the adapter (TMPDIR).
std::vector<std::pair<std::string, uintmax_t>> filesIn(const std::string& dir) {
    std::vector<std::pair<std::string, uintmax_t>> files;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        files.emplace_back(e.path().filename().string(), e.is_regular_file() ? e.file_size() : 0);
    return files;
}

std::string describe(const std::vector<std::pair<std::string, uintmax_t>>& files) {
    std::string text;
    for (const auto& [name, size] : files)
        text += name + " (" + std::to_string(size) + " bytes) ";
    return text;
}

// Kills what a failed check leaves running; disarmed once the group is known to be empty.
struct GroupCleanup {
    pid_t group;
    int& console;
    bool armed = true;
    ~GroupCleanup() {
        if (armed && group > 0)
            kill(-group, SIGKILL);
        if (console >= 0)
            close(console);
    }
};

enum class End { ParentKilled, ConsoleClosed, FfmpegKilled };

struct Case {
    const char* name;
    End end;
    const char* options;
    const char* ext;
    bool wrapped = false; // ffmpeg runs below a shell: the adapter's child is not ffmpeg itself
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

// Each end on each way the output is written: by ffmpeg, by the adapter's AMR encoder, and from a
// temporary AMR file that ffmpeg would mux later.
constexpr const char* kMp3 = "-y -f mp3 -vn -acodec mp3 -ac 2 -ab 128 -ar 44100";
constexpr const char* kAmr = "-y -f amr -vn -acodec amr_nb -ac 1 -ar 8000 -ab 13";
constexpr const char* kAmrIn3gp = "-y -f 3gp -vn -acodec amr_nb -ac 1 -ar 8000 -ab 13";
const Case kCases[] = {
    {"parent_killed_mp3", End::ParentKilled, kMp3, ".mp3"},
    {"parent_killed_amr", End::ParentKilled, kAmr, ".amr"},
    {"parent_killed_3gp", End::ParentKilled, kAmrIn3gp, ".3gp"},
    {"console_closed_mp3", End::ConsoleClosed, kMp3, ".mp3"},
    {"console_closed_amr", End::ConsoleClosed, kAmr, ".amr"},
    {"console_closed_3gp", End::ConsoleClosed, kAmrIn3gp, ".3gp"},
    {"console_closed_wrapped", End::ConsoleClosed, kMp3, ".mp3", true},
    {"ffmpeg_killed_mp3", End::FfmpegKilled, kMp3, ".mp3"},
    {"ffmpeg_killed_amr", End::FfmpegKilled, kAmr, ".amr"},
    {"ffmpeg_killed_3gp", End::FfmpegKilled, kAmrIn3gp, ".3gp"},
};

class DivuvoOrphan : public ::testing::TestWithParam<Case> {};

TEST_P(DivuvoOrphan, NothingGoesOnConvertingAndNoPartialOutputStays) {
    const Case& c = GetParam();
    TempDir dir;
    std::vector<std::string> argv = DivuvoArgv(LongSound(), c.options, dir.File("out") + c.ext);
    if (c.end == End::ParentKilled) {
        // A parent between us and the adapter: a shell that waits for it.
        argv.insert(argv.begin(), {"/bin/sh", "-c", "\"$@\" & wait", "sh"});
    }
    std::vector<std::string> env{"TMPDIR=" + dir.Path()};
    TempDir tools;
    if (c.wrapped) {
        std::string wrapper = tools.Write("ffmpeg.sh", "#!/bin/sh\nffmpeg \"$@\"\n");
        ASSERT_EQ(chmod(wrapper.c_str(), 0755), 0);
        env.push_back("DIVUVO_FFMPEG=" + wrapper);
    }
    int console = -1;
    pid_t group = SpawnInOwnGroup(argv, console, env);
    ASSERT_GT(group, 0);
    GroupCleanup cleanup{group, console};
    std::string text;

    // Well into the conversion: a file in the folder has grown beyond its first bytes.
    auto giveUp = Clock::now() + 20s;
    for (;;) {
        auto files = filesIn(dir.Path());
        if (std::any_of(files.begin(), files.end(), [](const auto& f) { return f.second > 4096; }))
            break;
        ASSERT_LT(Clock::now(), giveUp) << text;
        ASSERT_TRUE(ReadSome(console, text, 50ms)) << text;
    }
    std::vector<pid_t> members = LiveMembers(group);
    ASSERT_GE(members.size(), c.end == End::ParentKilled || c.wrapped ? 3u : 2u)
        << "adapter and ffmpeg";

    int status = 0;
    switch (c.end) {
    case End::ParentKilled:
        kill(group, SIGKILL);
        waitpid(group, &status, 0);
        break;
    case End::ConsoleClosed:
        close(console);
        console = -1;
        break;
    case End::FfmpegKilled:
        for (pid_t pid : members)
            if (pid != group)
                kill(pid, SIGKILL);
        break;
    }

    // Within a few seconds no process of the group is left.
    auto deadline = Clock::now() + 5s;
    while (!LiveMembers(group).empty() && Clock::now() < deadline) {
        if (console >= 0)
            ReadSome(console, text, 20ms);
        else
            std::this_thread::sleep_for(20ms);
    }
    if (!LiveMembers(group).empty()) {
        ADD_FAILURE() << LiveMembers(group).size() << " process(es) left";
        kill(-group, SIGKILL);
        WaitUntilEmpty(group, 5s);
    }
    cleanup.armed = false;
    if (c.end != End::ParentKilled) {
        // The adapter is our child: it ended by itself, with a failure.
        ASSERT_EQ(waitpid(group, &status, WNOHANG), group);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << status;
    }
    if (console >= 0) {
        for (auto end = Clock::now() + 5s; Clock::now() < end && ReadSome(console, text, 100ms);) {
        }
        // Whoever still reads the console hears why.
        EXPECT_EQ(errorLines(text).size(), 1u) << text;
    }
    EXPECT_TRUE(filesIn(dir.Path()).empty()) << describe(filesIn(dir.Path()));
}

INSTANTIATE_TEST_SUITE_P(Ends, DivuvoOrphan, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

// ffmpeg that wrote its output and then failed: the output is not a result.
TEST(DivuvoFfmpegFailure, AtTheEndLeavesNoOutput) {
    TempDir dir;
    struct Wrapper {
        const char* after; // shell commands run after the real ffmpeg
        const char* line;
    } wrappers[] = {
        {"exit 3", "Error: the conversion failed (ffmpeg ended with exit code 3)"},
        {"kill -TERM $$", "Error: ffmpeg ended abnormally (signal 15)"},
    };
    for (const Wrapper& w : wrappers) {
        SCOPED_TRACE(w.after);
        std::string script =
            dir.Write("ffmpeg.sh", std::string("#!/bin/sh\nffmpeg \"$@\"\n") + w.after + "\n");
        ASSERT_EQ(chmod(script.c_str(), 0755), 0);
        std::string out = dir.File("out.mp3");
        ProcessOutput r =
            RunProcess(DivuvoArgv(SmallClip(), kMp3, out), {"DIVUVO_FFMPEG=" + script});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(errorLines(r.err), std::vector<std::string>{w.line}) << r.err;
        EXPECT_FALSE(PathExists(out));
    }
}

} // namespace
} // namespace quillabe::test
