// The process runner against real children: delivery of every byte before the end, the end of
// silent children, killing whole process groups, the failure texts, reuse, batch files through
// /bin/sh, the child's environment, and destruction in its awkward moments.

#include "engine/Redirector.h"
#include "RunnerTestSupport.h"
#include "engine/CommandLine.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quillabe {
namespace {

using test::Recorder;
using test::RunFor;
using test::RunUntil;
using test::ShellLine;

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RedirectorError& e) {
        return e.what();
    }
    return "(no error)";
}

void ExpectIdle(const TRedirector& runner) {
    EXPECT_FALSE(runner.Running());
    EXPECT_EQ(runner.ProcessHandle(), 0);
    EXPECT_EQ(runner.ProcessInfo().Pid, 0);
    EXPECT_EQ(runner.ProcessInfo().PidFd, -1);
    EXPECT_EQ(runner.StdInWrite(), -1);
    EXPECT_EQ(runner.StdOutRead(), -1);
    EXPECT_EQ(runner.StdErrRead(), -1);
}

// The main paths run with a pidfd and with the 100 ms step that kernels without one get.
class RunnerWatch : public test::RunnerTest, public ::testing::WithParamInterface<bool> {
protected:
    void Start(const std::string& commandLine) {
        record.Attach(runner);
        runner.UsePidFd = GetParam();
        runner.SetCommandLine(commandLine);
        runner.Execute();
        pgid = runner.ProcessHandle();
        ASSERT_GT(pgid, 1);
        EXPECT_EQ(runner.ProcessInfo().PidFd >= 0, GetParam());
    }
    void TearDown() override {
        // Grandchildren that outlive their parent by design are cleaned up here.
        if (pgid > 1) {
            kill(-pgid, SIGKILL);
            EXPECT_TRUE(test::GroupGone(pgid));
        }
    }

    TRedirector runner;
    Recorder record;
    pid_t pgid = 0;
};

struct DeliveryCase {
    const char* name;
    std::string script;
    std::string out;
    std::string err;
    bool outIsPart = false; // other processes add output around it
};

TEST_P(RunnerWatch, DeliversEveryByteBeforeTheEnd) {
    const DeliveryCase cases[] = {
        {"both streams", "printf abc; printf def >&2", "abc", "def"},
        {"large, last bytes just before exit", "seq 1 200000; seq 1 30000 >&2; printf tail",
         test::SeqText(200000) + "tail", test::SeqText(30000)},
        {"both streams at once", "seq 1 100000 >&2 & seq 1 100000; wait", test::SeqText(100000),
         test::SeqText(100000)},
        {"binary bytes", "printf '\\000\\377\\r\\n'", std::string("\0\377\r\n", 4), ""},
        // The pipes stay open in a grandchild: the end must not wait for it.
        {"grandchild holds the pipes", "sleep 30 & printf done", "done", ""},
        // A grandchild that never stops writing must not hold the end back either.
        {"grandchild keeps writing", "yes & sleep 0.2; printf LAST >&2; printf LAST", "LAST",
         "LAST", true},
    };
    for (const DeliveryCase& c : cases) {
        SCOPED_TRACE(c.name);
        record = Recorder();
        Start(ShellLine(c.script));
        const auto started = std::chrono::steady_clock::now();
        ASSERT_TRUE(RunUntil([&] { return record.ends == 1; }));
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
        RunFor(50);
        EXPECT_EQ(record.ends, 1);
        EXPECT_EQ(record.out, record.outAtEnd) << "output after the end event";
        EXPECT_EQ(record.err, record.errAtEnd) << "output after the end event";
        if (c.outIsPart) {
            EXPECT_NE(record.outAtEnd.find(c.out), std::string::npos);
            EXPECT_NE(record.errAtEnd.find(c.err), std::string::npos);
        } else {
            EXPECT_EQ(record.outAtEnd, c.out);
            EXPECT_EQ(record.errAtEnd, c.err);
        }
        EXPECT_TRUE(record.exitedAtEnd);
        EXPECT_FALSE(record.runningAtEnd);
        EXPECT_TRUE(record.errors.empty());
        EXPECT_EQ(runner.ExitCode(), 0);
        ExpectIdle(runner);
        TearDown();
        pgid = 0;
    }
}

TEST_P(RunnerWatch, NoticesTheEndOfASilentChildQuickly) {
    // A grandchild keeps the pipes open, so no hang-up gives the end away: only the watch on
    // the process itself can.
    const auto started = std::chrono::steady_clock::now();
    Start(ShellLine("sleep 30 & exec sleep 0.1"));
    ASSERT_TRUE(RunUntil([&] { return record.ends == 1; }));
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();
    std::printf("[ figure ] end of a silent child noticed after (%s): %.2f ms\n",
                GetParam() ? "pidfd" : "100 ms step", ms - 100.0);
    EXPECT_LT(ms, 1100.0);
    EXPECT_EQ(record.out + record.err, "");
    EXPECT_EQ(runner.ExitCode(), 0);
}

TEST_P(RunnerWatch, TerminateKillsTheWholeGroup) {
    Start(ShellLine("printf started; sleep 1000 & sleep 1000"));
    ASSERT_TRUE(RunUntil([&] { return record.out == "started"; }));
    runner.Terminate(7);
    ASSERT_TRUE(RunUntil([&] { return record.ends == 1; }));
    EXPECT_EQ(record.outAtEnd, "started");
    EXPECT_EQ(runner.ExitCode(), 7);
    ExpectIdle(runner);
    EXPECT_TRUE(test::GroupGone(pgid)) << "a process of the group survived";
    pgid = 0;
}

TEST_P(RunnerWatch, RunsSeveralChildrenOneAfterTheOther) {
    // The next child starts from inside the end event of the previous one, then once more from
    // outside.
    std::vector<std::string> outputs;
    record.Attach(runner);
    runner.UsePidFd = GetParam();
    int next = 1;
    runner.OnData = [&](TRedirector&, const char* buffer, size_t size) {
        outputs.back().append(buffer, size);
    };
    runner.OnTerminated = [&](TRedirector& sender) {
        ++record.ends;
        EXPECT_FALSE(sender.Running());
        if (next <= 3) {
            outputs.emplace_back();
            sender.SetCommandLine(ShellLine("printf child" + std::to_string(next++)));
            sender.Execute();
        }
    };
    outputs.emplace_back();
    runner.SetCommandLine(ShellLine("printf child0"));
    runner.Execute();
    ASSERT_TRUE(RunUntil([&] { return record.ends == 4; }));
    outputs.emplace_back();
    runner.SetCommandLine(ShellLine("printf child4"));
    runner.Execute();
    ASSERT_TRUE(RunUntil([&] { return record.ends == 5; }));
    EXPECT_EQ(outputs,
              (std::vector<std::string>{"child0", "child1", "child2", "child3", "child4"}));
    ExpectIdle(runner);
}

std::string WatchName(const ::testing::TestParamInfo<bool>& param) {
    return param.param ? "PidFd" : "WaitStep";
}
INSTANTIATE_TEST_SUITE_P(Watch, RunnerWatch, ::testing::Bool(), WatchName);

class Runner : public test::RunnerTest {};

TEST_F(Runner, SettersAndExecuteRefuseWhileActive) {
    TRedirector runner;
    Recorder record;
    record.Attach(runner);
    runner.SetInitialPriority(2);
    runner.SetCommandLine("/bin/sleep 1000");
    runner.Execute();
    const pid_t pid = runner.ProcessHandle();

    struct Refusal {
        std::function<void()> action;
        std::string message;
    };
    const Refusal refusals[] = {
        {[&] { runner.Execute(); }, "Process is already active"},
        {[&] { runner.SetCommandLine("/bin/sleep 5"); },
         "Cannot change Commandline while process is active"},
        {[&] { runner.SetDefaultErrorMode(true); },
         "Cannot change DefaultErrorMode while process is active"},
        {[&] { runner.SetInitialPriority(2); }, // even the current value
         "Cannot change InititalPriority while process is active"},
        {[&] { runner.SetInitialPriority(1); },
         "Cannot change InititalPriority while process is active"},
    };
    for (const Refusal& r : refusals)
        EXPECT_EQ(ErrorOf(r.action), r.message);
    EXPECT_EQ(runner.CommandLine(), "/bin/sleep 1000");
    EXPECT_EQ(runner.InitialPriority(), 2);

    // The same text in other letter case, and unchanged values, are accepted.
    EXPECT_EQ(ErrorOf([&] { runner.SetCommandLine("/BIN/Sleep 1000"); }), "(no error)");
    EXPECT_EQ(runner.CommandLine(), "/BIN/Sleep 1000");
    EXPECT_EQ(ErrorOf([&] { runner.SetDefaultErrorMode(false); }), "(no error)");

    EXPECT_TRUE(runner.Running());
    EXPECT_EQ(runner.ProcessHandle(), pid);
    EXPECT_EQ(kill(pid, 0), 0) << "the running child was disturbed";
    runner.Terminate(0);
    ASSERT_TRUE(RunUntil([&] { return record.ends == 1; }));

    EXPECT_EQ(ErrorOf([&] { runner.Terminate(0); }), "Cannot Terminate an inactive process");
    runner.SetInitialPriority(1);
    runner.SetDefaultErrorMode(true);
    runner.SetCommandLine("x");
    EXPECT_EQ(runner.InitialPriority(), 1);
    EXPECT_TRUE(runner.DefaultErrorMode());
}

TEST_F(Runner, FailedStartsLeaveTheRunnerIdle) {
    test::TempDir dir;
    const std::string plainFile = dir.Write("not-executable", "#!/bin/sh\n");
    struct Failure {
        const char* name;
        std::string commandLine;
        std::string currentDirectory;
        std::string message;
    };
    const Failure failures[] = {
        {"empty", "", "", "No commandline to run"},
        {"blanks and controls", " \t\r\n ", "", "No commandline to run"},
        {"missing program", "/nonexistent/quillabe-encoder -i x", "", "Error creating process : 2"},
        {"missing on PATH", "quillabe-no-such-program-here", "", "Error creating process : 2"},
        {"empty program", "\"\" arg", "", "Error creating process : 2"},
        {"not executable", QuoteArgument(plainFile), "", "Error creating process : 13"},
        {"a folder", QuoteArgument(dir.Path()), "", "Error creating process : 13"},
        {"missing working folder", "/bin/true", dir.File("missing"), "Error creating process : 2"},
        {"missing batch file", QuoteArgument(dir.File("missing.bat")), "",
         "Error creating process : 2"},
        {"NUL in an argument", "/bin/echo " + QuoteArgument(std::string("a\0b", 3)), "",
         "Error creating process : 22"},
    };
    TRedirector runner;
    Recorder record;
    record.Attach(runner);
    const int fds = test::OpenFdCount();
    for (const Failure& f : failures) {
        SCOPED_TRACE(f.name);
        runner.SetCommandLine(f.commandLine);
        runner.CurrentDirectory = f.currentDirectory;
        EXPECT_EQ(ErrorOf([&] { runner.Execute(); }), f.message);
        ExpectIdle(runner);
        EXPECT_EQ(test::OpenFdCount(), fds) << "descriptors leaked";
        EXPECT_LE(waitpid(-1, nullptr, WNOHANG), 0) << "a failed child was not reaped";
    }
    // Still usable afterwards.
    runner.CurrentDirectory.clear();
    runner.SetCommandLine("/usr/bin/printf ok");
    runner.Execute();
    ASSERT_TRUE(RunUntil([&] { return record.ends == 1; }));
    EXPECT_EQ(record.out, "ok");
    EXPECT_EQ(record.ends, 1);
}

TEST_F(Runner, RunsBatchFilesThroughTheShell) {
    test::TempDir dir;
    const std::string script = "printf '[%s]' \"$@\"; printf batch >&2\n";
    for (const char* name : {"~ConvertCore.bat", "My Job.BAT"}) {
        SCOPED_TRACE(name);
        const std::string path = dir.Write(name, script); // not executable: sh reads it
        TRedirector runner;
        Recorder record;
        record.Attach(runner);
        runner.SetCommandLine(QuoteArgument(path) + " a \"b c\" -x");
        runner.Execute();
        ASSERT_TRUE(RunUntil([&] { return record.ends == 1; }));
        EXPECT_EQ(record.out, "[a][b c][-x]");
        EXPECT_EQ(record.err, "batch");
        EXPECT_EQ(runner.ExitCode(), 0);
    }
}

TEST_F(Runner, ChildGetsItsOwnGroupFolderEnvironmentAndCleanSignals) {
    test::TempDir dir;
    setenv("QUILLABE_RUNNER_PROBE", "v a $l", 1);
    // The caller ignores and blocks signals and holds a descriptor without close-on-exec; none
    // of that may reach the child.
    struct sigaction ignore = {};
    struct sigaction previous = {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &previous);
    sigset_t blocked;
    sigset_t previousMask;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR2);
    pthread_sigmask(SIG_BLOCK, &blocked, &previousMask);
    const int leaked = dup(2);

    TRedirector runner;
    Recorder record;
    record.Attach(runner);
    runner.CurrentDirectory = dir.Path();
    // The shell itself blocks signals around its forks, so the signal state is read by the
    // last command after an exec, and the descriptors while no pipeline is open.
    runner.SetCommandLine(ShellLine("pwd; printf '%s\\n' \"$QUILLABE_RUNNER_PROBE\"; "
                                    "ls /proc/$$/fd; cut -d' ' -f5 /proc/$$/stat; "
                                    "exec grep -E '^Sig(Blk|Ign)' /proc/self/status"));
    runner.Execute();
    const pid_t pid = runner.ProcessHandle();
    ASSERT_TRUE(RunUntil([&] { return record.ends == 1; }));

    close(leaked);
    pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
    sigaction(SIGPIPE, &previous, nullptr);
    unsetenv("QUILLABE_RUNNER_PROBE");

    const std::string folder = std::filesystem::canonical(dir.Path()).string();
    EXPECT_EQ(record.out, folder + "\nv a $l\n0\n1\n2\n" + std::to_string(pid) +
                              "\nSigBlk:\t0000000000000000\nSigIgn:\t0000000000000000\n");
    EXPECT_EQ(record.err, "");
}

TEST_F(Runner, PriorityIsBestEffortNiceness) {
    errno = 0;
    const int inherited = getpriority(PRIO_PROCESS, 0);
    const bool mayRaise = geteuid() == 0;
    struct Case {
        uint8_t priority;
        int nice;
    };
    const Case cases[] = {{0, inherited}, {1, 19}, {2, 0}, {3, -5}, {4, -10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.priority));
        TRedirector runner;
        Recorder record;
        record.Attach(runner);
        runner.SetInitialPriority(c.priority);
        runner.SetCommandLine("/usr/bin/nice");
        runner.Execute(); // a refused raise never fails the start
        ASSERT_TRUE(RunUntil([&] { return record.ends == 1; }));
        const int nice = std::atoi(record.out.c_str());
        if (c.nice < inherited && !mayRaise)
            EXPECT_EQ(nice, inherited);
        else
            EXPECT_EQ(nice, c.nice);
    }
}

TEST_F(Runner, FailedReadStopsReportsUntilTerminate) {
    // The pipe is swapped for the write end of another pipe holding one byte: the watching
    // thread sees data waiting, and the read fails.
    int swap[2];
    ASSERT_EQ(pipe(swap), 0);
    ASSERT_EQ(write(swap[1], "x", 1), 1);
    TRedirector runner;
    Recorder record;
    record.Attach(runner);
    runner.OnData = [&](TRedirector& sender, const char*, size_t) {
        if (++record.outCalls == 1)
            dup2(swap[1], sender.StdOutRead());
    };
    runner.SetCommandLine(ShellLine("printf a; sleep 1000"));
    runner.Execute();
    const pid_t pgid = runner.ProcessHandle();
    ASSERT_TRUE(RunUntil([&] { return !record.errors.empty(); }));
    EXPECT_EQ(record.errors, std::vector<std::string>{"Error reading STDOUT pipe : 9"});
    RunFor(150);
    EXPECT_TRUE(runner.Running());
    EXPECT_EQ(record.ends, 0);
    EXPECT_EQ(ErrorOf([&] { runner.Execute(); }), "Process is already active");

    // Terminate still ends the child and reports it, so the runner can be used again.
    runner.Terminate(3);
    ASSERT_TRUE(RunUntil([&] { return record.ends == 1; }));
    EXPECT_EQ(runner.ExitCode(), 3);
    ExpectIdle(runner);
    EXPECT_TRUE(test::GroupGone(pgid));
    close(swap[0]);
    close(swap[1]);

    record.outCalls = 0;
    runner.OnData = nullptr;
    runner.SetCommandLine("/bin/true");
    runner.Execute();
    ASSERT_TRUE(RunUntil([&] { return record.ends == 2; }));
}

TEST_F(Runner, ExceptionsFromEventsReachOnError) {
    TRedirector runner;
    Recorder record;
    record.Attach(runner);
    runner.OnErrorData = [](TRedirector&, const char*, size_t) {
        throw std::runtime_error("handler failed");
    };
    runner.SetCommandLine(ShellLine("printf e >&2; sleep 0.1; printf out"));
    runner.Execute();
    ASSERT_TRUE(RunUntil([&] { return record.ends == 1; }));
    EXPECT_EQ(record.errors, std::vector<std::string>{"handler failed"});
    EXPECT_EQ(record.out, "out");
}

// How the runner is destroyed while its child is active.
enum class Destroy { WhileQuiet, WhileOutputWaits, InsideOnData, InsideOnTerminated, WithoutKill };

class RunnerDestroy : public test::RunnerTest, public ::testing::WithParamInterface<Destroy> {};

TEST_P(RunnerDestroy, EndsCleanly) {
    const Destroy how = GetParam();
    const int fds = test::OpenFdCount();
    auto* runner = new TRedirector;
    Recorder record;
    record.Attach(*runner);
    runner->KillOnDestroy = how != Destroy::WithoutKill;
    bool destroyed = false;
    if (how == Destroy::InsideOnData) {
        // As when the window that owns the runner closes during a message shown from OnData.
        runner->OnData = [&](TRedirector& sender, const char*, size_t) {
            ++record.outCalls;
            delete &sender;
            destroyed = true;
        };
    }
    if (how == Destroy::InsideOnTerminated) {
        runner->OnTerminated = [&](TRedirector& sender) {
            delete &sender;
            destroyed = true;
        };
    }
    const char* script = "sleep 1000 & sleep 1000";
    if (how == Destroy::WhileOutputWaits || how == Destroy::InsideOnData)
        script = "sleep 1000 & yes";
    if (how == Destroy::InsideOnTerminated)
        script = "printf x";
    runner->SetCommandLine(ShellLine(script));
    runner->Execute();
    const pid_t pgid = runner->ProcessHandle();

    if (how == Destroy::InsideOnData || how == Destroy::InsideOnTerminated) {
        ASSERT_TRUE(RunUntil([&] { return destroyed; }));
    } else {
        if (how == Destroy::WhileOutputWaits) {
            // The thread now waits in a hand-over that nobody processes.
            ASSERT_TRUE(RunUntil([&] { return record.outCalls > 0; }));
        }
        delete runner;
    }
    RunFor(100);
    EXPECT_EQ(record.ends, 0) << "no end event after destruction";
    if (how == Destroy::InsideOnData) {
        EXPECT_EQ(record.outCalls, 1);
    }
    if (how == Destroy::WithoutKill) {
        EXPECT_EQ(kill(pgid, 0), 0) << "the child should live on";
        kill(-pgid, SIGKILL);
    }
    EXPECT_TRUE(test::GroupGone(pgid));
    EXPECT_EQ(test::OpenFdCount(), fds);
}

std::string DestroyName(const ::testing::TestParamInfo<Destroy>& param) {
    const char* names[] = {"WhileQuiet", "WhileOutputWaits", "InsideOnData", "InsideOnTerminated",
                           "WithoutKill"};
    return names[static_cast<int>(param.param)];
}
INSTANTIATE_TEST_SUITE_P(Destroy, RunnerDestroy,
                         ::testing::Values(Destroy::WhileQuiet, Destroy::WhileOutputWaits,
                                           Destroy::InsideOnData, Destroy::InsideOnTerminated,
                                           Destroy::WithoutKill),
                         DestroyName);

} // namespace
} // namespace quillabe
