#include "engine/Redirector.h"

#include "base/TextUtils.h"
#include "engine/CommandLine.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMetaObject>

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace quillabe {

namespace {

constexpr const char* kCreateFailed = "Error creating process : ";
constexpr int kWaitStepMs = 100;

// Niceness of the priority classes 1 to 4; raising the priority only works where permitted.
constexpr int kNiceOfPriority[] = {0, 19, 0, -5, -10};

// Closes a descriptor on every path out of a scope.
struct FdGuard {
    int fd = -1;
    ~FdGuard() {
        if (fd >= 0)
            close(fd);
    }
};

int bytesWaiting(int fd) {
    int count = 0;
    if (ioctl(fd, FIONREAD, &count) != 0)
        return 0;
    return count;
}

// Keeps descriptors 0 to 2 free for the child's standard streams, even when the caller runs
// with one of them closed (a pipe would otherwise get that number and be clobbered by dup2).
void raiseAboveStdStreams(int& fd, const char* failure) {
    if (fd > 2)
        return;
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
    if (moved < 0)
        throw RedirectorError(failure, errno);
    close(fd);
    fd = moved;
}

void makePipe(int& readEnd, int& writeEnd, bool parentReads, const char* createFailure,
              const char* dupFailure) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw RedirectorError(createFailure, errno);
    readEnd = fds[0];
    writeEnd = fds[1];
    raiseAboveStdStreams(readEnd, dupFailure);
    raiseAboveStdStreams(writeEnd, dupFailure);
    // The parent never blocks on its ends; the child gets ordinary blocking ones.
    const int parentEnd = parentReads ? readEnd : writeEnd;
    const int flags = fcntl(parentEnd, F_GETFL);
    if (flags < 0 || fcntl(parentEnd, F_SETFL, flags | O_NONBLOCK) != 0)
        throw RedirectorError(createFailure, errno);
}

std::string absolutePath(const std::string& path) {
    if (!path.empty() && path[0] == '/')
        return path;
    char buffer[PATH_MAX];
    if (!getcwd(buffer, sizeof buffer))
        throw RedirectorError(kCreateFailed, errno);
    return std::string(buffer) + "/" + path;
}

// Everything the child needs, prepared before the fork: after it only async-signal-safe calls.
struct LaunchPlan {
    std::vector<std::string> args;
    std::vector<std::string> candidates; // program files to try in order
};

LaunchPlan makeLaunchPlan(const std::string& applicationName, const std::string& commandLine) {
    LaunchPlan plan;
    plan.args = SplitCommandLine(commandLine);
    const bool hasApplication = !Trim(applicationName).empty();
    std::string program =
        hasApplication ? applicationName : (plan.args.empty() ? std::string() : plan.args[0]);
    if (plan.args.empty())
        plan.args.push_back(program);
    // execve would cut an argument at a NUL silently and run with a different one.
    const auto hasNul = [](const std::string& s) { return s.find('\0') != std::string::npos; };
    if (hasNul(program) || std::any_of(plan.args.begin(), plan.args.end(), hasNul))
        throw RedirectorError(kCreateFailed, EINVAL);
    if (program.empty())
        throw RedirectorError(kCreateFailed, ENOENT);

    if (EndsWith(LowerCase(program), ".bat")) {
        // Batch files are POSIX shell scripts here. The absolute path also keeps a name that
        // begins with "-" from being read as a shell option.
        const std::string script = absolutePath(program);
        if (access(script.c_str(), R_OK) != 0)
            throw RedirectorError(kCreateFailed, errno);
        plan.args[0] = script;
        plan.args.insert(plan.args.begin(), "/bin/sh");
        plan.candidates.push_back("/bin/sh");
    } else if (program.find('/') != std::string::npos) {
        // Relative to the caller's directory, not to the child's CurrentDirectory.
        plan.candidates.push_back(absolutePath(program));
    } else {
        const char* env = std::getenv("PATH");
        const std::string path = env ? env : "/bin:/usr/bin";
        size_t begin = 0;
        for (;;) {
            const size_t end = std::min(path.find(':', begin), path.size());
            const std::string dir = path.substr(begin, end - begin);
            plan.candidates.push_back(absolutePath((dir.empty() ? "." : dir) + "/" + program));
            if (end >= path.size())
                break;
            begin = end + 1;
        }
    }
    return plan;
}

struct ChildSetup {
    pid_t parent; // the program, which the child must not outlive
    int in, out, err, report;
    const char* cwd; // null: inherit
    bool setNice;
    int nice;
    char* const* argv;
    char* const* envp;
    const char* const* candidates;
};

[[noreturn]] void failChild(int report, int error) {
    ssize_t written;
    do {
        written = write(report, &error, sizeof error);
    } while (written < 0 && errno == EINTR);
    _exit(127);
}

// Runs in the child between fork and exec: async-signal-safe calls only.
[[noreturn]] void runChild(const ChildSetup& s) {
    // A group of its own, so that stopping kills every process the child starts.
    setpgid(0, 0);
    if (dup2(s.in, 0) < 0 || dup2(s.out, 1) < 0 || dup2(s.err, 2) < 0)
        failChild(s.report, errno);
#ifdef CLOSE_RANGE_CLOEXEC
    // Only the three standard streams reach the program, whatever else the caller left open.
    close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
#endif
    if (s.cwd && chdir(s.cwd) != 0)
        failChild(s.report, errno);
    if (s.setNice)
        setpriority(PRIO_PROCESS, 0, s.nice); // best effort: a refusal keeps the inherited value
    struct sigaction defaults = {};
    defaults.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig)
        sigaction(sig, &defaults, nullptr);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    // When the program dies (killed, crashed), the child is told to stop instead of converting on
    // as an orphan. The signal follows the forking thread: the runner forks from its owner's
    // thread, which lives as long as the program. A parent that died before this point is seen
    // through the changed parent id.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != s.parent)
        _exit(127);

    int error = ENOENT;
    bool denied = false;
    for (const char* const* candidate = s.candidates; *candidate; ++candidate) {
        execve(*candidate, s.argv, s.envp);
        error = errno;
        if (error == EACCES)
            denied = true;
        else if (error != ENOENT && error != ENOTDIR)
            break;
    }
    if (denied && (error == ENOENT || error == ENOTDIR))
        error = EACCES;
    failChild(s.report, error);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Watching thread

TRedirectorThread::TRedirectorThread(TRedirector& runner, std::shared_ptr<bool> runnerAlive)
    : runner_(runner), runnerAlive_(std::move(runnerAlive)), pid_(runner.info_.Pid),
      pidFd_(runner.info_.PidFd), pipes_{runner.stdOutRead_, runner.stdErrRead_} {
    setObjectName(QStringLiteral("TRedirectorThread"));
}

bool TRedirectorThread::ChildEnded() const {
    siginfo_t info = {};
    // WNOWAIT leaves the child a zombie until the runner reaps it, so its process id and group
    // cannot be reused while a kill may still be aimed at them.
    if (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0)
        return info.si_pid != 0;
    return errno == ECHILD; // reaped by someone else: gone all the same
}

void TRedirectorThread::WaitForActivity(bool open[2]) const {
    pollfd fds[3];
    int stream[3];
    nfds_t count = 0;
    for (int i = 0; i < 2; ++i) {
        if (open[i]) {
            stream[count] = i;
            fds[count++] = {pipes_[i], POLLIN, 0};
        }
    }
    if (pidFd_ >= 0) {
        stream[count] = -1;
        fds[count++] = {pidFd_, POLLIN, 0};
    }
    if (poll(fds, count, kWaitStepMs) <= 0)
        return;
    // A hang-up without data is the end of that stream: polling it again would spin.
    for (nfds_t k = 0; k < count; ++k) {
        if (stream[k] >= 0 && !(fds[k].revents & POLLIN) &&
            (fds[k].revents & (POLLHUP | POLLERR | POLLNVAL)))
            open[stream[k]] = false;
    }
}

bool TRedirectorThread::HandOver(void (TRedirector::*operation)(TRedirectorThread&),
                                 int availableBytes) {
    if (stop_)
        return false;
    QMetaObject::invokeMethod(
        &runner_,
        [this, alive = runnerAlive_, operation, availableBytes] {
            if (!*alive || stop_)
                return;
            runner_.RunHandOver(*this, operation, availableBytes, alive);
        },
        Qt::BlockingQueuedConnection);
    return !stop_;
}

void TRedirectorThread::run() {
    static constexpr void (TRedirector::*kRead[2])(TRedirectorThread&) = {&TRedirector::ReadStdOut,
                                                                          &TRedirector::ReadStdErr};
    bool open[2] = {pipes_[0] >= 0, pipes_[1] >= 0};
    long owed[2] = {0, 0}; // bytes that were waiting when the end was seen
    bool ended = false;
    for (;;) {
        if (stop_)
            return;
        // Checked on every pass, so that a grandchild that keeps writing into inherited pipes
        // cannot hide the end of the child.
        if (!ended && ChildEnded()) {
            ended = true;
            runner_.Exited = true;
            for (int i = 0; i < 2; ++i)
                owed[i] = open[i] ? bytesWaiting(pipes_[i]) : 0;
        }
        // Everything the child wrote came before what was waiting at its end; later bytes
        // belong to processes that outlived it.
        if (ended && owed[0] <= 0 && owed[1] <= 0)
            break;
        bool found = false;
        for (int i = 0; i < 2; ++i) {
            if (!open[i])
                continue;
            const int count = bytesWaiting(pipes_[i]);
            if (count <= 0)
                continue;
            if (!HandOver(kRead[i], count))
                return;
            found = true;
            owed[i] -= count;
        }
        if (found)
            continue;
        if (ended)
            break;
        WaitForActivity(open);
    }
    HandOver(&TRedirector::ProcessTerminated, 0);
}

// ---------------------------------------------------------------------------------------------
// Runner

TRedirector::TRedirector(QObject* parent) : QObject(parent) {}

TRedirector::~TRedirector() {
    *alive_ = false;
    const bool active = Running();
    if (active && KillOnDestroy)
        OnTerminated = nullptr;
    if (thread_)
        thread_->RequestStop();
    for (const auto& t : retired_)
        t->RequestStop();
    if (active && KillOnDestroy)
        KillGroup();
    const auto settle = [this](std::unique_ptr<TRedirectorThread> t) {
        if (!t)
            return;
        if (std::find(inHandOver_.begin(), inHandOver_.end(), t.get()) != inHandOver_.end()) {
            // It waits for a hand-over further up this very stack (the runner is being
            // destroyed from inside one of its events): it returns once that is over, touches
            // the runner no more, and is released by the event loop.
            TRedirectorThread* raw = t.release();
            QObject::connect(raw, &QThread::finished, raw, &QObject::deleteLater);
        } else {
            JoinThread(*t);
        }
    };
    settle(std::move(thread_));
    for (auto& t : retired_)
        settle(std::move(t));
    if (active) {
        if (KillOnDestroy) {
            Reap(true);
        } else {
            // The child lives on; collect it when it ends so that it leaves no zombie.
            const pid_t pid = info_.Pid;
            std::thread([pid] {
                while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
                }
            }).detach();
        }
    }
    CloseAll();
}

std::string TRedirector::GetFullCommandLine() const {
    if (!ApplicationName.empty())
        return ApplicationName + " " + commandLine_;
    return commandLine_;
}

void TRedirector::SetCommandLine(const std::string& value) {
    if (Running() && !SameText(value, GetFullCommandLine()))
        throw RedirectorError("Cannot change Commandline while process is active");
    commandLine_ = value;
}

void TRedirector::SetDefaultErrorMode(bool value) {
    if (Running() && value != defaultErrorMode_)
        throw RedirectorError("Cannot change DefaultErrorMode while process is active");
    defaultErrorMode_ = value;
}

void TRedirector::SetInitialPriority(uint8_t value) {
    if (Running())
        throw RedirectorError("Cannot change InititalPriority while process is active");
    initialPriority_ = value;
}

void TRedirector::Execute() {
    if (Running())
        throw RedirectorError("Process is already active");
    if (Trim(GetFullCommandLine()).empty())
        throw RedirectorError("No commandline to run");
    Exited = false;
    PurgeRetiredThreads();
    try {
        Spawn();
    } catch (...) {
        CloseAll();
        throw;
    }
    ++generation_;
    exitCode_ = -1;
    normalExit_ = false;
    terminateRequested_ = false;
    thread_ = std::make_unique<TRedirectorThread>(*this, alive_);
    thread_->start();
}

void TRedirector::Spawn() {
    const LaunchPlan plan = makeLaunchPlan(ApplicationName, commandLine_);
    makePipe(stdInRead_, stdInWrite_, false,
             "Error on STDIN pipe creation : ", "Error on STDIN pipe duplication : ");
    makePipe(stdOutRead_, stdOutWrite_, true,
             "Error on STDOUT pipe creation : ", "Error on STDOUT pipe duplication : ");
    makePipe(stdErrRead_, stdErrWrite_, true,
             "Error on STDERR pipe creation : ", "Error on STDERR pipe duplication : ");
    // The child reports a failed exec through this pipe; a successful exec closes it.
    int reportFds[2];
    if (pipe2(reportFds, O_CLOEXEC) != 0)
        throw RedirectorError(kCreateFailed, errno);
    FdGuard reportRead{reportFds[0]};
    FdGuard reportWrite{reportFds[1]};
    raiseAboveStdStreams(reportWrite.fd, kCreateFailed);

    std::vector<char*> argv;
    for (const std::string& arg : plan.args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<const char*> candidates;
    for (const std::string& candidate : plan.candidates)
        candidates.push_back(candidate.c_str());
    candidates.push_back(nullptr);
    const bool setNice = initialPriority_ >= 1 && initialPriority_ <= 4;
    const ChildSetup setup{
        getpid(),         stdInRead_,
        stdOutWrite_,     stdErrWrite_,
        reportWrite.fd,   Trim(CurrentDirectory).empty() ? nullptr : CurrentDirectory.c_str(),
        setNice,          setNice ? kNiceOfPriority[initialPriority_] : 0,
        argv.data(),      Environment ? Environment : environ,
        candidates.data()};

    // No handler of the caller may run in the child before exec.
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t pid = fork();
    if (pid == 0)
        runChild(setup);
    const int forkError = errno;
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    close(reportWrite.fd);
    reportWrite.fd = -1;
    if (pid < 0)
        throw RedirectorError(kCreateFailed, forkError);

    int childError = 0;
    ssize_t got;
    do {
        got = read(reportRead.fd, &childError, sizeof childError);
    } while (got < 0 && errno == EINTR);
    if (got > 0) {
        while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        throw RedirectorError(kCreateFailed, childError);
    }

    // The child holds its own copies; ours would keep the pipes from ever reaching their end.
    for (int* fd : {&stdInRead_, &stdOutWrite_, &stdErrWrite_}) {
        close(*fd);
        *fd = -1;
    }
    info_.Pid = pid;
    info_.PidFd = UsePidFd ? static_cast<int>(syscall(SYS_pidfd_open, pid, 0)) : -1;
}

void TRedirector::Terminate(int exitCode) {
    if (!Running())
        throw RedirectorError("Cannot Terminate an inactive process");
    terminateRequested_ = true;
    terminateCode_ = exitCode;
    KillGroup();
    if (thread_ && thread_->StopRequested()) {
        // The watching thread ended after a failed read, so nobody else reports this end.
        QMetaObject::invokeMethod(
            this,
            [this, generation = generation_, alive = alive_] {
                if (*alive)
                    FinishAfterStoppedThread(generation);
            },
            Qt::QueuedConnection);
    }
}

void TRedirector::KillGroup() const {
    // Never 0 or 1: kill(0) and kill(-1) would hit our own group or every process.
    if (info_.Pid <= 1)
        return;
    if (kill(-info_.Pid, SIGKILL) != 0)
        kill(info_.Pid, SIGKILL);
}

void TRedirector::Reap(bool block) {
    if (info_.Pid <= 0)
        return;
    int status = 0;
    pid_t result;
    do {
        result = waitpid(info_.Pid, &status, block ? 0 : WNOHANG);
    } while (result < 0 && errno == EINTR);
    normalExit_ = result == info_.Pid && WIFEXITED(status);
    if (result != info_.Pid)
        exitCode_ = -1;
    else if (WIFEXITED(status))
        exitCode_ = WEXITSTATUS(status);
    else if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL && terminateRequested_)
        exitCode_ = terminateCode_;
    else if (WIFSIGNALED(status))
        exitCode_ = 128 + WTERMSIG(status);
    else
        exitCode_ = -1;
}

void TRedirector::CloseAll() {
    for (int* fd : {&stdInRead_, &stdInWrite_, &stdOutRead_, &stdOutWrite_, &stdErrRead_,
                    &stdErrWrite_, &info_.PidFd}) {
        if (*fd >= 0)
            close(*fd);
        *fd = -1;
    }
    info_.Pid = 0;
}

void TRedirector::RunHandOver(TRedirectorThread& caller,
                              void (TRedirector::*operation)(TRedirectorThread&),
                              int availableBytes, const std::shared_ptr<bool>& alive) {
    inHandOver_.push_back(&caller);
    availableBytes_ = availableBytes;
    // Nothing may escape into the event loop: the watching thread waits for this call.
    try {
        (this->*operation)(caller);
    } catch (const std::exception& e) {
        if (*alive)
            ReportError(e.what());
    } catch (...) {
        if (*alive)
            ReportError("Unknown error in a process runner event");
    }
    // An event may have destroyed the runner; then nothing of it may be touched.
    if (*alive)
        std::erase(inHandOver_, &caller);
}

void TRedirector::ReportError(const std::string& message) {
    ErrorEvent handler = OnError;
    try {
        if (handler) {
            handler(*this, message);
            return;
        }
    } catch (...) {
    }
    std::fprintf(stderr, "%s\n", message.c_str());
}

void TRedirector::ReadStdOut(TRedirectorThread& caller) {
    ReadPipe(caller, stdOutRead_, OnData, "Error reading STDOUT pipe : ");
}

void TRedirector::ReadStdErr(TRedirectorThread& caller) {
    ReadPipe(caller, stdErrRead_, OnErrorData, "Error reading STDERR pipe : ");
}

void TRedirector::ReadPipe(TRedirectorThread& caller, int fd, const DataEvent& event,
                           const char* failure) {
    const size_t wanted = availableBytes_ > 0 ? static_cast<size_t>(availableBytes_) : 0;
    if (wanted == 0 || fd < 0)
        return;
    auto buffer = std::make_unique_for_overwrite<char[]>(wanted);
    size_t got = 0;
    int error = 0;
    while (got < wanted) {
        const ssize_t n = read(fd, buffer.get() + got, wanted - got);
        if (n > 0) {
            got += static_cast<size_t>(n);
        } else if (n == 0 || errno == EAGAIN) {
            break;
        } else if (errno != EINTR) {
            error = errno;
            caller.RequestStop();
            break;
        }
    }
    if (got > 0) {
        // A copy: the event may replace itself or release the runner while it runs.
        DataEvent handler = event;
        if (handler)
            handler(*this, buffer.get(), got);
    }
    if (error != 0)
        throw RedirectorError(failure, error);
}

void TRedirector::ProcessTerminated(TRedirectorThread& caller) {
    caller.RequestStop();
    Reap(true); // the child has ended: this only collects its status
    CloseAll();
    RetireThread();
    NotifyEvent handler = OnTerminated;
    if (handler)
        handler(*this);
}

void TRedirector::FinishAfterStoppedThread(uint64_t generation) {
    if (generation != generation_ || !Running() || !thread_ || !thread_->StopRequested())
        return;
    RetireThread();
    Reap(true); // killed with SIGKILL: ends without delay
    Exited = true;
    CloseAll();
    NotifyEvent handler = OnTerminated;
    try {
        if (handler)
            handler(*this);
    } catch (const std::exception& e) {
        ReportError(e.what());
    } catch (...) {
        ReportError("Unknown error in a process runner event");
    }
}

void TRedirector::RetireThread() {
    if (thread_)
        retired_.push_back(std::move(thread_));
}

void TRedirector::JoinThread(TRedirectorThread& thread) {
    thread.RequestStop();
    // The thread may be waiting for a hand-over to this thread: deliver it (it sees the stop
    // and does nothing) instead of waiting for each other forever.
    while (!thread.wait(QDeadlineTimer(5)))
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void TRedirector::PurgeRetiredThreads() {
    std::erase_if(retired_, [this](const std::unique_ptr<TRedirectorThread>& t) {
        const bool waiting =
            std::find(inHandOver_.begin(), inHandOver_.end(), t.get()) != inHandOver_.end();
        return !waiting && t->isFinished() && t->wait();
    });
}

} // namespace quillabe
