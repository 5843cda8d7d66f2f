// The progress `quillabe --convert` shows while a batch runs, read from a pipe (the plain
// "progress" lines) and from a terminal (the bar redrawn in place). A scripted encoder stands in
// for the adapter: every job announces 10 s, reaches 2 s, 5 s and 9.7 s within a fraction of a
// second and ends without a last position, as a short job often does.

#include "ConvertHarness.h"

#include "base/TextUtils.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

extern char** environ;

namespace fs = std::filesystem;
using namespace quillabe;
using namespace quillabe::test;

namespace {

constexpr const char* kScript = R"(err Input #0, avi, from 'clip.avi':\n
sleep 40
err   Duration: 00:00:10.00, start: 0.000000, bitrate: 1000 kb/s\n
err Output #0, mp3, to 'clip.mp3':\n
sleep 40
err size=      10kB time=2.00 bitrate=  40.0kbits/s\r
sleep 40
err size=      25kB time=5.00 bitrate=  40.0kbits/s\r
sleep 40
err size=      48kB time=9.70 bitrate=  40.0kbits/s\r
create-output 4096
)";

constexpr int kJobs = 3;

// A program directory whose adapter is the scripted encoder, and three equal inputs.
std::vector<std::string> prepareBatch(const ConvertHome& home) {
    fs::copy_file(FAKE_ENCODER, home.Home() + "divuvo.dll", fs::copy_options::overwrite_existing);
    std::ofstream(home.Home() + "fake_encoder.script") << kScript;
    std::vector<std::string> args{"--to", "mp3", "--output", home.OutputDir()};
    for (int i = 1; i <= kJobs; ++i)
        args.push_back(home.AddInput(SmallClip(), "clip" + std::to_string(i) + ".avi"));
    return args;
}

struct Shown {
    int job;
    int batch;
};

// The formats are the two literals below; the check cannot see through the parameter.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
bool scanFigures(const std::string& piece, const char* format, Shown& s) {
    return std::sscanf(piece.c_str(), format, &s.job, &s.batch) == 2;
}
#pragma GCC diagnostic pop

// The progress shown during each job, in order, from the pieces of the output between line
// breaks and carriage returns; `format` reads one piece.
std::vector<std::vector<Shown>> progressPerJob(const std::string& out, const char* format) {
    std::vector<std::vector<Shown>> jobs;
    std::string piece;
    bool inJob = false;
    auto take = [&] {
        Shown s{};
        if (StartsWith(piece, "[") && Contains(piece, " -> ")) {
            jobs.emplace_back();
            inJob = true;
        } else if (StartsWith(piece, "[") && Contains(piece, "] done: ")) {
            // A marker for the end line: the job's last state is what stands before it.
            if (inJob)
                jobs.back().push_back({-1, -1});
            inJob = false;
        } else if (inJob && scanFigures(piece, format, s)) {
            jobs.back().push_back(s);
        }
        piece.clear();
    };
    for (char c : out) {
        if (c == '\n' || c == '\r')
            take();
        else
            piece += c;
    }
    take();
    return jobs;
}

// What every display must keep to: within a job the figure never goes back, it starts with
// nothing of the job done and stands at 100 % right before the job's end line; the batch figure
// never goes back, shows no job as done before it is, and ends at 100 %.
void expectSteadyProgress(const std::vector<std::vector<Shown>>& jobs) {
    ASSERT_EQ(jobs.size(), static_cast<size_t>(kJobs));
    int batch = 0;
    for (size_t j = 0; j < jobs.size(); ++j) {
        SCOPED_TRACE("job " + std::to_string(j + 1));
        const std::vector<Shown>& shown = jobs[j];
        ASSERT_GE(shown.size(), 2u) << "no progress shown";
        ASSERT_EQ(shown.back().job, -1) << "no end line";
        EXPECT_LE(shown.front().job, 20) << "the job started where the last one ended";
        EXPECT_LT(shown.front().batch, 100 * static_cast<int>(j + 1) / kJobs)
            << "the batch counted the new job as done";
        int job = 0;
        for (size_t i = 0; i + 1 < shown.size(); ++i) {
            EXPECT_GE(shown[i].job, job) << "at " << i;
            EXPECT_GE(shown[i].batch, batch) << "at " << i;
            job = shown[i].job;
            batch = shown[i].batch;
        }
        EXPECT_EQ(job, 100) << "the last state before the end line";
    }
    EXPECT_EQ(batch, 100);
}

TEST(ConvertProgress, PipeLinesMoveOnlyForwardAndEndEachJobAtAHundred) {
    ConvertHome home;
    RunResult r = home.Convert(prepareBatch(home));

    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(r.LastOutLine(), "done: 3, failed: 0");
    expectSteadyProgress(progressPerJob(r.out, "  progress %d%% (batch %d%%)"));
}

// Runs the program with standard output on a terminal of its own (raw, so that the bytes arrive
// as written) and returns what it wrote there; standard error goes to `errFile`.
std::string runOnTerminal(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                          const std::string& errFile, int& exitCode) {
    int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        throw std::runtime_error("no pseudo-terminal");
    const std::string slaveName = ptsname(master);
    // Everything the child needs is made before the fork.
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const std::string& given : env)
            replaced = replaced || StartsWith(entry, given.substr(0, given.find('=') + 1));
        if (!replaced)
            environment.push_back(entry);
    }
    environment.insert(environment.end(), env.begin(), env.end());
    std::vector<char*> args, envp;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (std::string& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        int slave = open(slaveName.c_str(), O_RDWR | O_NOCTTY);
        termios raw{};
        tcgetattr(slave, &raw);
        cfmakeraw(&raw);
        tcsetattr(slave, TCSANOW, &raw);
        int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        dup2(slave, 1);
        dup2(err, 2);
        execve(args[0], args.data(), envp.data());
        _exit(127);
    }
    std::string out;
    const auto deadline = std::chrono::steady_clock::now() + 120s;
    char buffer[4096];
    for (;;) {
        pollfd p{master, POLLIN, 0};
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            ADD_FAILURE() << "timed out";
            break;
        }
        if (poll(&p, 1, 100) <= 0)
            continue;
        ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0)
            break; // EIO: the program and everything it started have closed the terminal
        out.append(buffer, static_cast<size_t>(n));
    }
    int status = 0;
    waitpid(pid, &status, 0);
    close(master);
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

// The bar is redrawn at most five times a second, so most updates of these short jobs are never
// drawn; the final state must be all the same.
TEST(ConvertProgress, TerminalBarEndsEachJobAtAHundred) {
    ConvertHome home;
    std::vector<std::string> env = home.Environment();
    int exitCode = -1;
    const std::string out =
        runOnTerminal(home.Command(prepareBatch(home)), env, home.Root() + "stderr.txt", exitCode);

    ASSERT_EQ(exitCode, 0) << out << ReadAll(home.Root() + "stderr.txt");
    EXPECT_TRUE(Contains(out, "\n[3/3] done: ")) << "the bar's line is ended first\n" << out;
    expectSteadyProgress(progressPerJob(out, "  [%*[# ]] %d%%  batch %d%%"));
}

// With --jobs 2 every file is still converted once, and each job's last figure before its end
// line is 100 %, whether the jobs ran one at a time (a "progress" line of the one running job) or
// together (a line per running job, "  [N/3] ...").
TEST(ConvertProgress, TwoJobsAtOnceEndEachJobAtAHundred) {
    ConvertHome home;
    std::vector<std::string> args = prepareBatch(home);
    args.insert(args.begin(), {"--jobs", "2"});
    RunResult r = home.Convert(args);

    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(r.LastOutLine(), "done: 3, failed: 0");
    std::map<int, int> lastShown; // job number -> its last figure
    std::set<int> running, ended;
    for (const std::string& line : SplitLines(r.out)) {
        int number = 0, count = 0, percent = 0;
        if (std::sscanf(line.c_str(), "[%d/%d]", &number, &count) == 2 && Contains(line, " -> ")) {
            running.insert(number);
        } else if (std::sscanf(line.c_str(), "[%d/%d]", &number, &count) == 2 &&
                   Contains(line, "] done: ")) {
            EXPECT_EQ(lastShown[number], 100) << "job " << number << "\n" << r.out;
            running.erase(number);
            ended.insert(number);
        } else if (std::sscanf(line.c_str(), "  [%d/%d] %d%%", &number, &count, &percent) == 3) {
            EXPECT_TRUE(running.contains(number)) << line;
            lastShown[number] = percent;
        } else if (std::sscanf(line.c_str(), "  progress %d%%", &percent) == 1) {
            ASSERT_EQ(running.size(), 1u) << "a single job line while several ran\n" << r.out;
            lastShown[*running.begin()] = percent;
        }
    }
    EXPECT_EQ(ended, (std::set<int>{1, 2, 3}));
    for (int i = 1; i <= kJobs; ++i)
        EXPECT_TRUE(fs::exists(home.OutputDir() + "clip" + std::to_string(i) + ".mp3")) << i;
}

} // namespace
