// A batch run from the main window against the same batch run by `quillabe --convert`.
//
//   window_batch_bench INDIR WORKDIR [ROUNDS]
//
// INDIR holds the WAV files. Each round runs, in alternating order: (a) in this process,
// offscreen, a new main window that adds the files through its Add Files command, selects MP3
// with the profile its box selects, names a new output folder and runs ActionConvert to the end,
// every question answered by the scripted answerer; (b) `QUILLABE_HOME/quillabe --convert --to
// mp3 --output DIR FILES` as a child process. Prints both wall times, their ratio and how often
// the progress window repainted per second of the window's batch; then the medians. One more
// round first warms the caches. QUILLABE_HOME must be a private copy of the program directory.

#include "window/RepaintCounter.h"

#include "core/BusyCursor.h"
#include "core/MessageDialogs.h"
#include "core/OutputFormat.h"
#include "core/StartupConstants.h"
#include "ui/main/FileDialogs.h"
#include "ui/main/FileListPanel.h"
#include "ui/main/FormatSelection.h"
#include "ui/main/OutputFolderBox.h"
#include "ui/main/TfrmMain.h"

#include <QAction>
#include <QApplication>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

extern char** environ;

using namespace quillabe;
namespace fs = std::filesystem;

namespace {

double now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "window_batch_bench: %s\n", what.c_str());
    std::exit(1);
}

size_t countOutputs(const fs::path& dir) {
    size_t n = 0;
    for (const auto& entry : fs::directory_iterator(dir))
        n += entry.path().extension() == ".mp3" && fs::file_size(entry.path()) > 0;
    return n;
}

fs::path freshFolder(const fs::path& path) {
    fs::remove_all(path);
    fs::create_directories(path);
    return path;
}

struct WindowRun {
    double seconds = 0;
    double batchSeconds = 0; // from Convert to its end
    long passes = 0, paints = 0;
    std::string profile;
};

WindowRun runWindow(const std::vector<std::string>& files, const fs::path& out,
                    ScriptedMessageDialogs& dialogs) {
    WindowRun run;
    dialogs.Clear();
    SetFileDialogHooks({[&files](const std::string&, const QStringList&) {
                            return std::optional<std::vector<std::string>>(files);
                        },
                        {}});
    const double start = now();
    {
        TfrmMain window;
        if (!window.Created())
            fail("the main window was not created");
        window.show();
        window.Action("ActionAdd")->trigger();
        window.Formats()->SelectFormat(window.Formats()->FormatAction(ofMP3));
        run.profile = window.Formats()->CurrentProfileName(ofMP3);
        window.OutputFolder()->SetText(out.string());
        bench::RepaintCounter repaints(QStringLiteral("frmProgress"));
        const double convert = now();
        window.Action("ActionConvert")->trigger(); // returns when the batch has ended
        run.batchSeconds = now() - convert;
        run.passes = repaints.Passes();
        run.paints = repaints.WidgetPaints();
        QCoreApplication::processEvents();
    }
    run.seconds = now() - start;
    SetFileDialogHooks({});
    if (!dialogs.Requests().empty())
        fail("the window asked: " + dialogs.Requests().front().text);
    if (countOutputs(out) != files.size())
        fail("the window made " + std::to_string(countOutputs(out)) + " outputs");
    return run;
}

double runConsole(const std::vector<std::string>& files, const fs::path& out, const fs::path& log) {
    const std::string program = std::string(qgetenv("QUILLABE_HOME").constData()) + "/quillabe";
    std::vector<std::string> args = {program, "--convert", "--to", "mp3", "--output", out.string()};
    args.insert(args.end(), files.begin(), files.end());
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    const double start = now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        fail("cannot start " + program);
    int status = 0;
    waitpid(pid, &status, 0);
    const double seconds = now() - start;
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail("quillabe --convert failed; see " + log.string());
    if (countOutputs(out) != files.size())
        fail("quillabe --convert made " + std::to_string(countOutputs(out)) + " outputs");
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || qgetenv("QUILLABE_HOME").isEmpty()) {
        std::fprintf(stderr,
                     "usage: QUILLABE_HOME=DIR window_batch_bench INDIR WORKDIR [ROUNDS]\n");
        return 2;
    }
    const fs::path in = argv[1], work = argv[2];
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(in))
        files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    auto dialogs = std::make_shared<ScriptedMessageDialogs>();
    SetMessageDialogHandler(dialogs);
    SetBusyCursorHook([](bool busy) {
        if (busy && !QApplication::overrideCursor())
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else if (!busy)
            QApplication::restoreOverrideCursor();
    });
    SetStartupConstants();

    const fs::path log = work / "console.log";
    {
        const WindowRun warm = runWindow(files, freshFolder(work / "window"), *dialogs);
        runConsole(files, freshFolder(work / "console"), log);
        std::ifstream console(log);
        std::string target;
        std::getline(console, target);
        std::printf("%zu WAV files to MP3; window profile \"%s\"; console: %s\n", files.size(),
                    warm.profile.c_str(), target.c_str());
    }
    std::vector<double> windowS, consoleS, ratios, rates;
    for (int round = 1; round <= rounds; ++round) {
        WindowRun w;
        double c = 0;
        if (round % 2) {
            w = runWindow(files, freshFolder(work / "window"), *dialogs);
            c = runConsole(files, freshFolder(work / "console"), log);
        } else {
            c = runConsole(files, freshFolder(work / "console"), log);
            w = runWindow(files, freshFolder(work / "window"), *dialogs);
        }
        const double rate = w.passes / w.batchSeconds;
        std::printf("round %d: window %.3f s (batch %.3f s), console %.3f s, ratio %.3f; progress "
                    "window %ld repaint passes (%.1f/s), %ld widget paints\n",
                    round, w.seconds, w.batchSeconds, c, w.seconds / c, w.passes, rate, w.paints);
        std::fflush(stdout);
        windowS.push_back(w.seconds);
        consoleS.push_back(c);
        ratios.push_back(w.seconds / c);
        rates.push_back(rate);
    }
    const double ratio = median(ratios), rate = median(rates);
    std::printf("median: window %.3f s, console %.3f s, ratio %.3f (goal <= 1.05: %s); progress "
                "window %.1f repaints/s (goal about <= 10: %s)\n",
                median(windowS), median(consoleS), ratio, ratio <= 1.05 ? "met" : "missed", rate,
                rate <= 11 ? "met" : "missed");
    return 0;
}
