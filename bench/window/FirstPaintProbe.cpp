#include "FirstPaintProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <time.h>
#include <utility>
#include <vector>

namespace quillabe::bench {
namespace {

std::string watchedName;
bool printMappings = false;

long statusKib(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t n = std::strlen(key);
    while (std::getline(status, line))
        if (line.compare(0, n, key) == 0)
            return std::strtol(line.c_str() + n, nullptr, 10);
    return -1;
}

// Rss of /proc/self/smaps summed by mapped file (anonymous memory and the heap as their own).
void printRssByMapping() {
    std::ifstream smaps("/proc/self/smaps");
    std::map<std::string, long> kib;
    std::string line, current = "[anonymous]";
    while (std::getline(smaps, line)) {
        if (!line.empty() && std::isxdigit(static_cast<unsigned char>(line[0])) &&
            line.find('-') < line.find(' ')) {
            std::istringstream fields(line);
            std::string range, perms, offset, dev, inode, path;
            fields >> range >> perms >> offset >> dev >> inode;
            std::getline(fields >> std::ws, path);
            current = path.empty() ? "[anonymous]" : path;
        } else if (line.compare(0, 4, "Rss:") == 0) {
            kib[current] += std::strtol(line.c_str() + 4, nullptr, 10);
        }
    }
    std::vector<std::pair<long, std::string>> sorted;
    for (const auto& [path, size] : kib)
        sorted.emplace_back(size, path);
    std::sort(sorted.rbegin(), sorted.rend());
    for (const auto& [size, path] : sorted)
        if (size > 0)
            std::printf("rss_kib %8ld %s\n", size, path.c_str());
}

[[noreturn]] void report() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::printf("first_paint_ns=%lld peak_rss_kib=%ld rss_kib=%ld\n",
                static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec,
                statusKib("VmHWM:"), statusKib("VmRSS:"));
    if (printMappings)
        printRssByMapping();
    std::fflush(stdout);
    // Nothing after the first frame belongs to the measurement: no close handling, no clean-up.
    std::_Exit(0);
}

class PaintWatcher : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow() &&
            watched->objectName() == QLatin1String(watchedName.c_str())) {
            seen_ = true;
            // The paint event comes first; the frame reaches the display when the whole
            // repaint (children included) has been flushed, which a zero timer waits for.
            QTimer::singleShot(0, [] { report(); });
        }
        return false;
    }

private:
    bool seen_ = false;
};

void installWatcher() {
    QCoreApplication::instance()->installEventFilter(new PaintWatcher);
}

} // namespace

void EndAtFirstPaint(std::string windowName, bool rssByMapping) {
    watchedName = std::move(windowName);
    printMappings = rssByMapping;
    qAddPreRoutine(installWatcher);
}

bool TakeRssByMappingOption(int& argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rss-by-mapping") == 0) {
            std::copy(argv + i + 1, argv + argc + 1, argv + i);
            --argc;
            return true;
        }
    }
    return false;
}

} // namespace quillabe::bench
