#include "E2eSupport.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

extern char** environ;

namespace quillabe::test {

const std::string& LongSound() {
    static std::string path =
        MakeClip("long.wav", {"-f", "lavfi", "-i", "sine=frequency=300:sample_rate=22050", "-t",
                              "600", "-c:a", "pcm_s16le"});
    return path;
}

std::vector<std::string> Words(const std::string& options) {
    std::vector<std::string> out;
    std::istringstream in(options);
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

std::vector<std::string> DivuvoArgv(const std::string& input, const std::string& options,
                                    const std::string& output) {
    std::vector<std::string> argv{DIVUVO, "-p", "4417306", "-i", input};
    for (const std::string& w : Words(options))
        argv.push_back(w);
    argv.push_back(output);
    return argv;
}

ProcessOutput RunDivuvo(const std::string& input, const std::string& options,
                        const std::string& output) {
    return RunProcess(DivuvoArgv(input, options, output));
}

pid_t SpawnInOwnGroup(const std::vector<std::string>& argv, int& console,
                      const std::vector<std::string>& env) {
    std::vector<std::string> envStrings = MergedEnvironment(env);
    std::vector<char*> args, envp;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (std::string& e : envStrings)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    int pipe[2];
    if (pipe2(pipe, O_CLOEXEC) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], 2);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attr, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0], &actions, &attr, args.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    close(pipe[1]);
    console = pid > 0 ? pipe[0] : -1;
    if (pid <= 0)
        close(pipe[0]);
    return pid;
}

bool ReadSome(int fd, std::string& into, std::chrono::milliseconds wait) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(wait.count())) <= 0)
        return true;
    char buffer[4096];
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0)
        return false;
    into.append(buffer, static_cast<size_t>(n));
    return true;
}

std::vector<pid_t> LiveMembers(pid_t group) {
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

bool WaitUntilEmpty(pid_t group, std::chrono::milliseconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (!LiveMembers(group).empty()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

} // namespace quillabe::test
