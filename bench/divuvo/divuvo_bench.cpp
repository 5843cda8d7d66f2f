// How much divuvo.dll costs over running ffmpeg directly.
//
//   divuvo_bench [runs]     (default 9)
//
// Converts a generated 5-second 640x480 clip with two profiles' option strings, alternating the
// adapter and ffmpeg with the very arguments the adapter would give it, and prints the medians and
// their ratio. Then the start-up cost: the adapter refusing a wrong access code, and the time to
// the first console line through the adapter against the time to ffmpeg's own first input line.

#include "divuvo/ConversionPlan.h"
#include "divuvo/Options.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace quillabe::divuvo;

struct Timing {
    double totalMs = 0;
    double cpuMs = 0;        // user + system of the process and every process it waited for
    double firstLineMs = -1; // until the first stderr line containing `marker`
};

// Runs argv with stderr on a pipe; stdout and stdin on /dev/null.
Timing run(const std::vector<std::string>& argv, const std::string& marker = {}) {
    int err[2];
    if (pipe(err) != 0)
        std::exit(1);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    posix_spawn_file_actions_addclose(&actions, err[0]);
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", args[0]);
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    close(err[1]);
    Timing t;
    std::string seen;
    char buffer[65536];
    for (ssize_t n; (n = read(err[0], buffer, sizeof buffer)) > 0;) {
        if (t.firstLineMs < 0 && !marker.empty()) {
            seen.append(buffer, static_cast<size_t>(n));
            if (seen.find(marker) != std::string::npos)
                t.firstLineMs =
                    std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
    }
    close(err[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    auto ms = [](const timeval& tv) { return tv.tv_sec * 1e3 + tv.tv_usec / 1e3; };
    t.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    t.totalMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return t;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

// The adapter's own ffmpeg command line, without the progress channel that only it reads.
std::vector<std::string> directFfmpeg(const std::vector<std::string>& adapterArgs) {
    ParseResult parsed = ParseCommandLine(adapterArgs);
    PlanResult plan = PlanConversion(parsed.options);
    std::vector<std::string> args = FfmpegArgs(parsed.options, plan.plan, parsed.options.input);
    std::vector<std::string> out{"ffmpeg"};
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-progress" || args[i] == "-stats_period") {
            ++i;
            continue;
        }
        out.push_back(args[i]);
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 9;
    char dirTemplate[] = "/tmp/divuvo-bench-XXXXXX";
    std::string dir = mkdtemp(dirTemplate);
    std::string clip = dir + "/clip.avi";
    run({"ffmpeg",
         "-hide_banner",
         "-loglevel",
         "error",
         "-y",
         "-f",
         "lavfi",
         "-i",
         "testsrc=size=640x480:rate=25",
         "-f",
         "lavfi",
         "-i",
         "sine=sample_rate=44100",
         "-t",
         "5",
         "-ac",
         "2",
         "-c:v",
         "mpeg4",
         "-q:v",
         "3",
         "-c:a",
         "pcm_s16le",
         clip});

    struct Profile {
        const char* name;
        const char* options;
        const char* ext;
    } profiles[] = {
        {"AVI default (msmpeg4 + mp3)",
         "-y -f avi -vcodec msmpeg4 -b 1080k -r 25 -acodec mp3 -ac 2 -ab 96 -ar 22050", ".avi"},
        {"MOV default (h264 + aac)", "-y -f mov -vcodec h264 -b 1200k -r 25 -ac 2 -ab 64 -ar 22050",
         ".mov"},
    };
    std::printf("divuvo.dll against ffmpeg, %d runs each, alternating, 5 s 640x480 clip\n", runs);
    for (const Profile& p : profiles) {
        std::vector<std::string> adapterArgs{"-p", kAccessCode, "-i", clip};
        for (const auto& w : words(p.options))
            adapterArgs.push_back(w);
        adapterArgs.push_back(dir + "/out" + p.ext);
        std::vector<std::string> adapter{DIVUVO};
        adapter.insert(adapter.end(), adapterArgs.begin(), adapterArgs.end());
        std::vector<std::string> direct = directFfmpeg(adapterArgs);
        run(adapter); // warm the caches
        std::vector<double> a, d, ac, dc;
        for (int i = 0; i < runs; ++i) {
            Timing ta = run(adapter), td = run(direct);
            a.push_back(ta.totalMs);
            d.push_back(td.totalMs);
            ac.push_back(ta.cpuMs);
            dc.push_back(td.cpuMs);
        }
        double ma = median(a), md = median(d), mac = median(ac), mdc = median(dc);
        // The fastest run of each side shows the cost without the machine's other load.
        double fa = *std::min_element(a.begin(), a.end());
        double fd = *std::min_element(d.begin(), d.end());
        std::printf(
            "  %s\n    wall median: adapter %8.1f ms   ffmpeg %8.1f ms   ratio %.3f (%+.1f %%)\n"
            "    wall best:   adapter %8.1f ms   ffmpeg %8.1f ms   ratio %.3f (%+.1f %%)\n"
            "    cpu median:  adapter %8.1f ms   ffmpeg %8.1f ms   ratio %.3f (%+.1f %%)\n",
            p.name, ma, md, ma / md, (ma / md - 1) * 100, fa, fd, fa / fd, (fa / fd - 1) * 100, mac,
            mdc, mac / mdc, (mac / mdc - 1) * 100);
    }

    std::vector<std::string> refused{DIVUVO, "-p", "0", "-i", clip, dir + "/x.avi"};
    std::vector<double> refusedMs, versionMs, adapterFirst, directFirst;
    for (int i = 0; i < 5 * runs; ++i) {
        refusedMs.push_back(run(refused).totalMs);
        versionMs.push_back(run({"ffmpeg", "-version"}).totalMs);
    }
    std::vector<std::string> adapterArgs{"-p",  kAccessCode,       "-i", clip, "-y", "-f", "wav",
                                         "-vn", dir + "/first.wav"};
    std::vector<std::string> adapter{DIVUVO};
    adapter.insert(adapter.end(), adapterArgs.begin(), adapterArgs.end());
    std::vector<std::string> direct = directFfmpeg(adapterArgs);
    for (int i = 0; i < 3 * runs; ++i) {
        adapterFirst.push_back(run(adapter, "Input #0, ").firstLineMs);
        directFirst.push_back(run(direct, "Input #0, ").firstLineMs);
    }
    std::printf("start-up (medians)\n");
    std::printf("  adapter refusing a wrong access code %6.2f ms   ffmpeg -version %6.2f ms\n",
                median(refusedMs), median(versionMs));
    std::printf("  first input line: adapter %6.2f ms   ffmpeg %6.2f ms   added %+.2f ms\n",
                median(adapterFirst), median(directFirst),
                median(adapterFirst) - median(directFirst));
    for (const char* f : {"/clip.avi", "/out.avi", "/out.mov", "/x.avi", "/first.wav"})
        unlink((dir + f).c_str());
    rmdir(dir.c_str());
    return 0;
}
