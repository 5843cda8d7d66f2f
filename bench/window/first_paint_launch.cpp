// Starts a program that reports its first painted frame (FirstPaintProbe) and prints
//
//   <milliseconds from the start to the first frame> <peak RSS in KiB>
//
// The clock is read right before the process is created, and the peak RSS is the kernel's
// account of the ended child (as /usr/bin/time reports it).
//
//   first_paint_launch PROGRAM [ARGS...]

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern char** environ;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: first_paint_launch PROGRAM [ARGS...]\n");
        return 2;
    }
    int out[2];
    if (pipe(out) != 0)
        return 1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);

    timespec start{};
    clock_gettime(CLOCK_REALTIME, &start);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[1], &actions, nullptr, argv + 1, environ) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    close(out[1]);
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<size_t>(n));
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);

    const size_t at = text.find("first_paint_ns=");
    if (at == std::string::npos || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "first_paint_launch: %s painted no frame (status %d)\n%s", argv[1],
                     status, text.c_str());
        return 1;
    }
    const long long painted = std::strtoll(text.c_str() + at + 15, nullptr, 10);
    const long long started = static_cast<long long>(start.tv_sec) * 1000000000LL + start.tv_nsec;
    std::printf("%.3f %ld\n", static_cast<double>(painted - started) / 1e6, usage.ru_maxrss);
    // Anything else the program printed (its memory by mapping) follows.
    const size_t eol = text.find('\n', at);
    if (eol != std::string::npos && eol + 1 < text.size())
        std::fputs(text.c_str() + eol + 1, stdout);
    return 0;
}
