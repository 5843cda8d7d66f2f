#include "support/ChildRun.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <map>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace quillabe::test {

using Clock = std::chrono::steady_clock;

std::vector<std::string> RunResult::OutLines() const {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string RunResult::LastOutLine() const {
    std::vector<std::string> lines = OutLines();
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines.empty() ? std::string() : lines.back();
}

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& env) {
    std::map<std::string, std::string> vars;
    auto put = [&vars](const std::string& entry) {
        size_t eq = entry.find('=');
        if (eq != std::string::npos)
            vars[entry.substr(0, eq)] = entry;
    };
    for (char** e = environ; *e; ++e)
        put(*e);
    for (const std::string& e : env)
        put(e);
    std::vector<std::string> merged;
    for (auto& [name, entry] : vars)
        merged.push_back(entry);
    return merged;
}

ChildRun::ChildRun(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                   const std::string& cwd) {
    std::vector<std::string> envStrings = MergedEnvironment(env);

    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    if (!cwd.empty())
        posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    std::vector<char*> args, envp;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (auto& e : envStrings)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    int rc = posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    out_ = out[0];
    err_ = err[0];
    if (rc != 0) {
        close(out_);
        close(err_);
        throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(rc));
    }
}

ChildRun::~ChildRun() {
    if (!reaped_ && pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    for (int fd : {out_, err_})
        if (fd >= 0)
            close(fd);
}

bool ChildRun::pump(Clock::time_point deadline) {
    pollfd fds[2];
    std::string* sinks[2];
    int* owners[2];
    nfds_t count = 0;
    for (auto [fd, sink] : {std::pair{&out_, &result_.out}, std::pair{&err_, &result_.err}}) {
        if (*fd < 0)
            continue;
        fds[count] = {*fd, POLLIN, 0};
        sinks[count] = sink;
        owners[count++] = fd;
    }
    if (count == 0)
        return false;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (poll(fds, count, static_cast<int>(std::max<long>(0, left.count()))) <= 0)
        return true;
    for (nfds_t i = 0; i < count; ++i) {
        if (!fds[i].revents)
            continue;
        char buffer[8192];
        ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
        if (n > 0) {
            sinks[i]->append(buffer, static_cast<size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            close(*owners[i]);
            *owners[i] = -1;
        }
    }
    return out_ >= 0 || err_ >= 0;
}

bool ChildRun::WaitForOutput(const std::string& text, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (result_.out.find(text) == std::string::npos) {
        if (Clock::now() >= deadline || !pump(deadline))
            return result_.out.find(text) != std::string::npos;
    }
    return true;
}

void ChildRun::Signal(int sig) const {
    if (!reaped_ && pid_ > 0)
        kill(pid_, sig);
}

RunResult ChildRun::Finish(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    int status = 0;
    bool exited = false;
    while (!exited) {
        bool open = pump(std::min(deadline, Clock::now() + 50ms));
        exited = waitpid(pid_, &status, WNOHANG) == pid_;
        if (exited)
            break;
        if (Clock::now() >= deadline) {
            result_.timedOut = true;
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            exited = true;
        } else if (!open) {
            waitpid(pid_, &status, 0);
            exited = true;
        }
    }
    reaped_ = true;
    // What the program wrote just before its end; a descendant holding the pipes gets no wait.
    const auto drainEnd = Clock::now() + 200ms;
    while (Clock::now() < drainEnd && pump(drainEnd)) {
    }
    if (WIFEXITED(status))
        result_.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        result_.signal = WTERMSIG(status);
    return result_;
}

RunResult RunProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
    return ChildRun(argv, env).Finish();
}

} // namespace quillabe::test
