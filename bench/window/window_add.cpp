// Adding files through the main window against the media library's probe of the same files.
//
//   window_add_bench WAV MP4 WORKDIR [ROUNDS]
//
// WORKDIR receives 1,000 and 10,000 hard links of the two tiny clips under distinct names. For
// each count and round, in alternating order: (a) the probe that the add runs for every file
// (ProbeFile, the library's open and sixteen answers) in a plain loop; (b) a new main window,
// shown offscreen, whose Add Files command gets the same names from its open dialog and adds
// them as the user's choice is added (pending events run before each file). Prints the CPU time
// per file of both, their ratio, and how the window kept repainting during the add. The program
// directory (QUILLABE_HOME) must be a private copy: the window writes its settings there.

#include "RepaintCounter.h"

#include "core/BusyCursor.h"
#include "core/MessageDialogs.h"
#include "core/StartupConstants.h"
#include "mediainfo/MediaProbe.h"
#include "ui/main/FileDialogs.h"
#include "ui/main/FileListPanel.h"
#include "ui/main/TfrmMain.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QWindow>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace quillabe;
namespace fs = std::filesystem;

namespace {

double seconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

struct Span {
    double cpu = 0, wall = 0;
};

template <typename Work> Span measure(Work&& work) {
    const double cpu0 = seconds(CLOCK_PROCESS_CPUTIME_ID), wall0 = seconds(CLOCK_MONOTONIC);
    work();
    return {seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0, seconds(CLOCK_MONOTONIC) - wall0};
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// count names, the two clips taking turns, made once as hard links.
std::vector<std::string> makeFiles(const fs::path& wav, const fs::path& mp4, const fs::path& dir,
                                   int count) {
    fs::create_directories(dir);
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "clip%05d.%s", i, i % 2 ? "mp4" : "wav");
        const fs::path path = dir / name;
        if (!fs::exists(path))
            fs::create_hard_link(i % 2 ? mp4 : wav, path);
        paths.push_back(path.string());
    }
    return paths;
}

Span probeLoop(const std::vector<std::string>& paths) {
    return measure([&] {
        size_t accepted = 0;
        for (const std::string& path : paths) {
            TFileItem item;
            accepted += ProbeFile(path, item) ? 1 : 0;
        }
        if (accepted != paths.size()) {
            std::fprintf(stderr, "window_add_bench: the probe refused %zu files\n",
                         paths.size() - accepted);
            std::exit(1);
        }
    });
}

struct WindowAdd {
    Span span;
    double probeCpu = 0; // of span.cpu, in the probe the list ran for each file
    long passes = 0, paints = 0, ticks = 0;
};

WindowAdd windowAdd(const std::vector<std::string>& paths, ScriptedMessageDialogs& dialogs) {
    WindowAdd result;
    // The window's own probe, timed, so that the rest is what the window adds to it.
    auto timedProbe = [&result](const std::string& path, TFileItem& item) {
        const double cpu0 = seconds(CLOCK_PROCESS_CPUTIME_ID);
        const bool accepted = ProbeFile(path, item);
        result.probeCpu += seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
        return accepted;
    };
    auto window = std::make_unique<TfrmMain>(nullptr, timedProbe);
    if (!window->Created()) {
        std::fprintf(stderr, "window_add_bench: the main window was not created\n");
        std::exit(1);
    }
    window->show();
    // Shown and painted before the add starts, as a window the user adds files to.
    for (int i = 0; i < 200 && !window->windowHandle()->isExposed(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
    SetFileDialogHooks({[&paths](const std::string&, const QStringList&) {
                            return std::optional<std::vector<std::string>>(paths);
                        },
                        {}});
    dialogs.Clear();

    bench::RepaintCounter repaints(QStringLiteral("frmMain"));
    // A clock tick every 100 ms: how many of them the add let through.
    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, [&result] { ++result.ticks; });
    clock.start(100);
    result.span = measure([&] {
        window->Action("ActionAdd")->trigger();
        // What the add left for the idle window (command states, the panel) is part of it.
        QCoreApplication::processEvents();
    });
    clock.stop();
    result.passes = repaints.Passes();
    result.paints = repaints.WidgetPaints();

    const size_t count = window->Files()->List().Count();
    if (count != paths.size() || !dialogs.Requests().empty()) {
        std::fprintf(stderr, "window_add_bench: the window added %zu of %zu files (%zu messages)\n",
                     count, paths.size(), dialogs.Requests().size());
        std::exit(1);
    }
    SetFileDialogHooks({});
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: window_add_bench WAV MP4 WORKDIR [ROUNDS]\n");
        return 2;
    }
    const fs::path wav = argv[1], mp4 = argv[2], work = argv[3];
    const int rounds = argc > 4 ? std::max(1, std::atoi(argv[4])) : 3;

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // What the desktop start sets up before its window, with every message answered by script.
    auto dialogs = std::make_shared<ScriptedMessageDialogs>();
    SetMessageDialogHandler(dialogs);
    SetBusyCursorHook([](bool busy) {
        if (busy && !QApplication::overrideCursor())
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else if (!busy)
            QApplication::restoreOverrideCursor();
    });
    SetStartupConstants();

    double windowPerFile[2] = {0, 0};
    const int counts[2] = {1000, 10000};
    for (int c = 0; c < 2; ++c) {
        const int count = counts[c];
        const auto paths = makeFiles(wav, mp4, work / std::to_string(count), count);
        probeLoop(paths); // warms the file system cache and the library
        std::vector<double> probeCpu, windowCpu, ratio;
        for (int round = 1; round <= rounds; ++round) {
            // Alternating which goes first evens out what one leaves behind for the other.
            Span probe;
            WindowAdd add;
            if (round % 2) {
                probe = probeLoop(paths);
                add = windowAdd(paths, *dialogs);
            } else {
                add = windowAdd(paths, *dialogs);
                probe = probeLoop(paths);
            }
            const double pUs = probe.cpu / count * 1e6, wUs = add.span.cpu / count * 1e6;
            const double inUs = add.probeCpu / count * 1e6;
            std::printf("%5d files, round %d: probe %.1f us/file cpu (%.2f s wall), window %.1f "
                        "us/file cpu (%.2f s wall; its probe %.1f, the rest %.1f), ratio %.3f; "
                        "during the add %ld repaint passes (%.1f/s), %ld widget paints, %ld of "
                        "%.0f clock ticks\n",
                        count, round, pUs, probe.wall, wUs, add.span.wall, inUs, wUs - inUs,
                        wUs / pUs, add.passes, add.passes / add.span.wall, add.paints, add.ticks,
                        add.span.wall / 0.1);
            std::fflush(stdout);
            probeCpu.push_back(pUs);
            windowCpu.push_back(wUs);
            ratio.push_back(wUs / pUs);
        }
        windowPerFile[c] = median(windowCpu);
        std::printf("%5d files, median: probe %.1f us/file, window %.1f us/file, ratio %.3f "
                    "(goal <= 1.2: %s)\n",
                    count, median(probeCpu), median(windowCpu), median(ratio),
                    median(ratio) <= 1.2 ? "met" : "missed");
    }
    const double scale = windowPerFile[1] * 10000 / (windowPerFile[0] * 1000);
    std::printf("window add of 10,000 files takes %.2f x the time of 1,000 (goal <= 11: %s)\n",
                scale, scale <= 11 ? "met" : "missed");
    return 0;
}
