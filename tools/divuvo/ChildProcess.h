#pragma once
// ffmpeg as a child in the adapter's own process group (a stop of the group reaches it too), with
// its standard output, standard error and descriptor 3 on pipes. It dies with the adapter even
// when the adapter alone is killed (parent-death signal). That signal follows the thread that
// forked, not the process: Start must run on a thread that outlives the child, as the adapter's
// one and only thread does.

#include <sys/types.h>

#include <string>
#include <vector>

namespace quillabe::divuvo {

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts the program, found on PATH, without a shell. False with `error` set when it cannot
    // be started (the reason of the failed exec included).
    bool Start(const std::string& program, const std::vector<std::string>& args,
               std::string& error);

    pid_t Pid() const { return pid_; }
    int StdoutFd() const { return out_; }
    int StderrFd() const { return err_; }
    int ProgressFd() const { return progress_; } // the child's descriptor 3
    // Closes the parent's end of a pipe once it has reached its end.
    void CloseFd(int& fd);

    void Signal(int signal) const;
    // Reaps the child; the raw wait status.
    int Wait();

private:
    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
    int progress_ = -1;
};

} // namespace quillabe::divuvo
