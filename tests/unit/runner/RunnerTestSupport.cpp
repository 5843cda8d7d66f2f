#include "RunnerTestSupport.h"

#include "engine/CommandLine.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <dirent.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace quillabe::test {

void RunnerTest::SetUpTestSuite() {
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "runner_tests";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv);
    }
    prctl(PR_SET_CHILD_SUBREAPER, 1);
}

bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    QTimer tick; // wakes the wait below regularly
    tick.start(5);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void RunFor(int ms) {
    RunUntil([] { return false; }, ms);
}

std::string ShellLine(const std::string& script) {
    return "/bin/sh -c " + QuoteArgument(script);
}

std::string JoinQuoted(const std::vector<std::string>& args) {
    std::string line;
    for (const std::string& arg : args)
        line += (line.empty() ? "" : " ") + QuoteArgument(arg);
    return line;
}

int OpenFdCount() {
    int count = 0;
    DIR* dir = opendir("/proc/self/fd");
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] != '.')
            ++count;
    }
    closedir(dir);
    return count - 1; // the listing's own descriptor
}

bool GroupGone(pid_t pgid, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 10) {
        while (waitpid(-1, nullptr, WNOHANG) > 0) {
        }
        if (kill(-pgid, 0) != 0 && errno == ESRCH)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

std::string SeqText(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i)
        text += std::to_string(i) + "\n";
    return text;
}

void Recorder::Attach(TRedirector& runner) {
    runner.OnData = [this](TRedirector&, const char* buffer, size_t size) {
        out.append(buffer, size);
        ++outCalls;
    };
    runner.OnErrorData = [this](TRedirector&, const char* buffer, size_t size) {
        err.append(buffer, size);
    };
    runner.OnTerminated = [this](TRedirector& sender) {
        ++ends;
        outAtEnd = out;
        errAtEnd = err;
        exitedAtEnd = sender.Exited;
        runningAtEnd = sender.Running();
    };
    runner.OnError = [this](TRedirector&, const std::string& message) {
        errors.push_back(message);
    };
}

} // namespace quillabe::test
