#pragma once
// The child process runner: runs one command line as a child process in a process group of its
// own, with its standard streams on pipes, and hands every piece of its output and its end to the
// thread that owns the runner (the main thread). A watching thread looks at the pipes and the
// process; all reading and every event happen on the owner's thread through a blocking hand-over,
// so the events never overlap and no data is shared without it.

#include <QObject>
#include <QThread>

#include <sys/types.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillabe {

class TRedirector;

// A failure of the runner. what() is the message, followed by the error number in decimal for
// the messages that end in " : ".
class RedirectorError : public std::runtime_error {
public:
    explicit RedirectorError(const std::string& message) : std::runtime_error(message) {}
    RedirectorError(const std::string& message, int error)
        : std::runtime_error(message + std::to_string(error)) {}
};

// The child of an active runner; all zero (and no pidfd) while none is active.
struct TProcessInfo {
    pid_t Pid = 0;
    int PidFd = -1; // -1 also when the kernel offers no pidfds
};

// Watches the pipes and the process of one child and hands reads and the end to the runner's
// thread. Owned by the runner; it never touches the runner once asked to stop.
class TRedirectorThread : public QThread {
public:
    TRedirectorThread(TRedirector& runner, std::shared_ptr<bool> runnerAlive);

    void RequestStop() { stop_ = true; }
    bool StopRequested() const { return stop_; }

protected:
    void run() override;

private:
    bool ChildEnded() const;
    // Waits up to one step for data, a hang-up or the end; marks hung-up pipes closed.
    void WaitForActivity(bool open[2]) const;
    // Runs one operation of the runner on its thread and waits for it; false when this thread
    // must stop.
    bool HandOver(void (TRedirector::*operation)(TRedirectorThread&), int availableBytes);

    TRedirector& runner_;
    std::shared_ptr<bool> runnerAlive_;
    // Copied at the start: the runner changes none of them while this thread may still look.
    pid_t pid_;
    int pidFd_;
    int pipes_[2];
    std::atomic<bool> stop_{false};
};

class TRedirector : public QObject {
public:
    using DataEvent = std::function<void(TRedirector& sender, const char* buffer, size_t size)>;
    using NotifyEvent = std::function<void(TRedirector& sender)>;
    using ErrorEvent = std::function<void(TRedirector& sender, const std::string& message)>;

    explicit TRedirector(QObject* parent = nullptr);
    ~TRedirector() override;
    TRedirector(const TRedirector&) = delete;
    TRedirector& operator=(const TRedirector&) = delete;

    // Optional program to run; the command line then supplies the arguments from argv[0] on.
    std::string ApplicationName;
    // Kill an active child (and its process group) when the runner is destroyed.
    bool KillOnDestroy = false;
    // Working directory of the child; empty inherits the caller's.
    std::string CurrentDirectory;
    // Environment of the child ("NAME=value" entries, null-terminated); null inherits the caller's.
    char* const* Environment = nullptr;
    // Kept for callers that set it; a child has no window here.
    uint16_t ShowWindowCode = 0;
    // Watch the end of the child through a pidfd; off (or without kernel support) the end is
    // looked for every 100 ms.
    bool UsePidFd = true;

    // Each piece of standard output / standard error; the buffer is valid only during the call.
    DataEvent OnData;
    DataEvent OnErrorData;
    // Once when the child has ended, after all its output; Running() is already false inside.
    NotifyEvent OnTerminated;
    // A failure raised on the runner's thread outside any call of the caller (a failed pipe read)
    // or an exception that escaped one of the events above. Unset: written to standard error.
    ErrorEvent OnError;

    // Set by the watching thread as soon as it sees that the child has ended; cleared by Execute.
    std::atomic<bool> Exited{false};

    bool Running() const { return info_.Pid != 0; }
    pid_t ProcessHandle() const { return info_.Pid; }
    const TProcessInfo& ProcessInfo() const { return info_; }
    std::string GetFullCommandLine() const;

    const std::string& CommandLine() const { return commandLine_; }
    void SetCommandLine(const std::string& value);
    bool DefaultErrorMode() const { return defaultErrorMode_; }
    void SetDefaultErrorMode(bool value);
    // 0 none given, 1 idle, 2 normal, 3 high, 4 real time (best-effort niceness 19, 0, -5, -10).
    uint8_t InitialPriority() const { return initialPriority_; }
    void SetInitialPriority(uint8_t value);

    void Execute();
    // Kills the child's whole process group; the end is reported like any other end.
    void Terminate(int exitCode);

    // Bytes the last look at a pipe found waiting; the read that follows reads exactly this many.
    int AvailableBytes() const { return availableBytes_; }
    // How the last child ended: its exit status, 128 + the signal that killed it, the code given
    // to Terminate when that killed it, or -1 when unknown. Valid once OnTerminated has come.
    int ExitCode() const { return exitCode_; }
    // Whether the last child ended by exiting (not by a signal); with ExitCode() 0 it succeeded.
    bool NormalExit() const { return normalExit_; }

    // The watching thread of the active child (null while idle).
    TRedirectorThread* ReaderThread() const { return thread_.get(); }
    // The pipe ends of the active child held by the runner (-1 when closed).
    int StdInWrite() const { return stdInWrite_; }
    int StdOutRead() const { return stdOutRead_; }
    int StdErrRead() const { return stdErrRead_; }

private:
    friend class TRedirectorThread;

    // Operations handed over by the watching thread.
    void ReadStdOut(TRedirectorThread& caller);
    void ReadStdErr(TRedirectorThread& caller);
    void ProcessTerminated(TRedirectorThread& caller);
    void RunHandOver(TRedirectorThread& caller, void (TRedirector::*operation)(TRedirectorThread&),
                     int availableBytes, const std::shared_ptr<bool>& alive);

    void ReadPipe(TRedirectorThread& caller, int fd, const DataEvent& event, const char* failure);
    void ReportError(const std::string& message);
    void Spawn();
    void KillGroup() const;
    void Reap(bool block);
    void CloseAll();
    void FinishAfterStoppedThread(uint64_t generation);
    void JoinThread(TRedirectorThread& thread);
    void RetireThread();
    void PurgeRetiredThreads();

    std::string commandLine_;
    bool defaultErrorMode_ = false;
    uint8_t initialPriority_ = 0;

    TProcessInfo info_;
    int availableBytes_ = 0;
    int stdInRead_ = -1, stdInWrite_ = -1;
    int stdOutRead_ = -1, stdOutWrite_ = -1;
    int stdErrRead_ = -1, stdErrWrite_ = -1;
    int exitCode_ = -1;
    bool normalExit_ = false;
    int terminateCode_ = 0;
    bool terminateRequested_ = false;
    uint64_t generation_ = 0; // counts children, so a late call can tell it is stale

    std::unique_ptr<TRedirectorThread> thread_;                  // watches the active child
    std::vector<std::unique_ptr<TRedirectorThread>> retired_;    // ended, maybe not yet returned
    std::vector<TRedirectorThread*> inHandOver_;                 // threads waiting on a hand-over
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true); // false once destruction began
};

} // namespace quillabe
