#include "divuvo/ChildProcess.h"

#include <fcntl.h>
#include <linux/close_range.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quillabe::divuvo {

namespace {

void closeIfOpen(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

[[noreturn]] void childFail(int reportFd) {
    int err = errno;
    ssize_t ignored = ::write(reportFd, &err, sizeof err);
    (void)ignored;
    _exit(127);
}

} // namespace

ChildProcess::~ChildProcess() {
    closeIfOpen(out_);
    closeIfOpen(err_);
    closeIfOpen(progress_);
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        Wait();
    }
}

void ChildProcess::CloseFd(int& fd) {
    if (fd == out_)
        out_ = -1;
    else if (fd == err_)
        err_ = -1;
    else if (fd == progress_)
        progress_ = -1;
    closeIfOpen(fd);
}

bool ChildProcess::Start(const std::string& program, const std::vector<std::string>& args,
                         std::string& error) {
    int outPipe[2], errPipe[2], progressPipe[2], reportPipe[2];
    int* pipes[] = {outPipe, errPipe, progressPipe, reportPipe};
    int made = 0;
    for (; made < 4; ++made) {
        if (::pipe2(pipes[made], O_CLOEXEC) != 0)
            break;
    }
    if (made < 4) {
        error = std::string("cannot create pipes: ") + std::strerror(errno);
        for (int i = 0; i < made; ++i) {
            ::close(pipes[i][0]);
            ::close(pipes[i][1]);
        }
        return false;
    }

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    pid_t parent = ::getpid();
    pid_t pid = ::fork();
    if (pid < 0) {
        error = std::string("cannot start a process: ") + std::strerror(errno);
        for (int* p : pipes) {
            ::close(p[0]);
            ::close(p[1]);
        }
        return false;
    }
    if (pid == 0) {
        // Only async-signal-safe calls from here on.
        int report = reportPipe[1];
        if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != parent)
            _exit(127);
        struct sigaction dfl {};
        dfl.sa_handler = SIG_DFL;
        for (int s : {SIGTERM, SIGINT, SIGHUP, SIGPIPE})
            ::sigaction(s, &dfl, nullptr);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        // Move the ends out of the way first: a pipe may already sit on 0 to 3.
        int devNull = ::open("/dev/null", O_RDWR | O_CLOEXEC);
        int sources[] = {devNull, outPipe[1], errPipe[1], progressPipe[1]};
        int moved[4];
        for (int i = 0; i < 4; ++i)
            if ((moved[i] = ::fcntl(sources[i], F_DUPFD_CLOEXEC, 10)) < 0)
                childFail(report);
        for (int target = 0; target < 4; ++target)
            if (::dup2(moved[target], target) < 0)
                childFail(report);
        // Descriptors the adapter inherited stay out of ffmpeg.
        ::close_range(4, ~0U, CLOSE_RANGE_CLOEXEC);
        ::execvp(program.c_str(), argv.data());
        childFail(report);
    }

    pid_ = pid;
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    ::close(progressPipe[1]);
    ::close(reportPipe[1]);
    out_ = outPipe[0];
    err_ = errPipe[0];
    progress_ = progressPipe[0];

    int childErr = 0;
    ssize_t n;
    do {
        n = ::read(reportPipe[0], &childErr, sizeof childErr);
    } while (n < 0 && errno == EINTR);
    ::close(reportPipe[0]);
    if (n == static_cast<ssize_t>(sizeof childErr)) {
        Wait();
        closeIfOpen(out_);
        closeIfOpen(err_);
        closeIfOpen(progress_);
        error = "cannot start " + program + ": " + std::strerror(childErr);
        return false;
    }
    for (int fd : {out_, err_, progress_})
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    return true;
}

void ChildProcess::Signal(int signal) const {
    if (pid_ > 0)
        ::kill(pid_, signal);
}

int ChildProcess::Wait() {
    int status = 0;
    if (pid_ <= 0)
        return status;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return status;
}

} // namespace quillabe::divuvo
