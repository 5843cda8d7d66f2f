#include "divuvo/Converter.h"

#include "base/PathUtils.h"
#include "divuvo/AmrWriter.h"
#include "divuvo/AvsScript.h"
#include "divuvo/ChildProcess.h"
#include "divuvo/ConsoleText.h"
#include "divuvo/ConsoleTranslator.h"
#include "divuvo/ConversionPlan.h"
#include "divuvo/OutputGuard.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <string>

namespace quillabe::divuvo {

namespace {

using Clock = std::chrono::steady_clock;

// Stops arrive as signals to the whole process group; the handler only notes them.
int gSignalPipe[2] = {-1, -1};
volatile sig_atomic_t gStopPending = 0;

extern "C" void onStopSignal(int signal) {
    int saved = errno;
    gStopPending = 1;
    unsigned char s = static_cast<unsigned char>(signal);
    ssize_t ignored = ::write(gSignalPipe[1], &s, 1);
    (void)ignored;
    errno = saved;
}

// The program that started us, and whether it can still hear us. When it dies without stopping
// us (SIGKILL, a crash), nobody would use the output or ever stop ffmpeg.
pid_t gParent = 0;
bool gConsoleGone = false; // writing to the console met a pipe without a reader

bool parentGone() {
    return ::getppid() != gParent;
}

// The parent-death signal arrives as a stop; a parent already gone by the time it is set is seen
// by comparing with the parent at start. Returns false when the parent has gone already.
bool watchParent(pid_t parentAtStart) {
    gParent = parentAtStart;
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    return !parentGone();
}

// A standard stream the caller left closed gets /dev/null, so that no pipe of ours lands on
// descriptors 0 to 2 and is taken for the console.
void openStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF)
            continue;
        int opened = ::open("/dev/null", O_RDWR);
        if (opened >= 0 && opened != fd) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
}

void installStopHandlers() {
    if (::pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction sa {};
    sa.sa_handler = onStopSignal;
    sigemptyset(&sa.sa_mask);
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(s, &sa, nullptr);
}

void writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) {
            if (gStopPending)
                return; // a console that is not read must not hold up a stop
            continue;
        }
        if (n < 0 && errno == EPIPE)
            gConsoleGone = true;
        if (n <= 0)
            return; // the reader is gone: nothing left to tell
        text.remove_prefix(static_cast<size_t>(n));
    }
}

void console(std::string_view text) {
    writeAll(STDERR_FILENO, text);
}
void consoleLine(const std::string& line) {
    console(OneLine(line) + "\n");
}

// Descriptors 1 and 2 watched with no events: poll reports POLLERR on a pipe whose reader has
// gone, even before we write to it. Anything else they report ends the watch, so that a poll
// cannot return at once for ever.
void watchConsole(pollfd& fd) {
    if (fd.fd < 0 || fd.revents == 0)
        return;
    if (fd.revents & POLLERR)
        gConsoleGone = true;
    fd.fd = -1;
}

// Reads what is there without blocking, at most `limit` bytes; false at the end of the pipe.
// The limit keeps a fast stream of audio from starving the log, the progress and the signals.
bool drain(int fd, const std::function<void(std::string_view)>& take, size_t limit = SIZE_MAX) {
    char buffer[65536];
    for (size_t done = 0; done < limit;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            take(std::string_view(buffer, static_cast<size_t>(n)));
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
    return true;
}

struct RunResult {
    int status = 0;
    std::string error; // the run could not be started, or the AMR file not written
};

class Conversion {
public:
    Conversion(const EncoderOptions& options, const ConversionPlan& plan, std::string source)
        : o_(options), plan_(plan), source_(std::move(source)), translator_(names(), sink()) {}
    Conversion(const Conversion&) = delete; // the console sink points at this object
    Conversion& operator=(const Conversion&) = delete;

    int Run(OutputGuard& guard);

private:
    TranslatorNames names() const {
        TranslatorNames n;
        n.input = o_.input;
        n.output = o_.output;
        if (IsAvsScript(o_.input))
            n.inputFormat = "avs";
        if (plan_.route != AudioRoute::Ffmpeg) {
            n.outputFormat = plan_.route == AudioRoute::AmrFile || plan_.muxer.empty()
                                 ? std::string("amr")
                                 : plan_.muxer;
            n.audioEncoder =
                plan_.amr.wideband ? "amr_wb (libvo_amrwbenc)" : "amr_nb (libopencore_amrnb)";
        }
        return n;
    }
    RunResult pump(const std::vector<std::string>& args, AmrWriter* amr,
                   ConsoleTranslator& translator);
    RunResult pump(const std::vector<std::string>& args, AmrWriter* amr) {
        return pump(args, amr, translator_);
    }
    void adaptToInput();
    ConsoleTranslator::Sink sink() {
        return [this](std::string_view text) { toConsole(text); };
    }
    void toConsole(std::string_view text);
    void releaseConsole();
    int fail(const std::string& line, OutputGuard& guard);
    int stopped(OutputGuard& guard);
    int abandoned(OutputGuard& guard);
    void removeTemp();

    const EncoderOptions& o_;
    ConversionPlan plan_;
    std::string source_;
    ConsoleTranslator translator_;
    int stopSignal_ = 0;
    bool orphaned_ = false; // the parent or the console has gone; ffmpeg was killed
    std::string temp_;
    // Console text of a run whose input may turn out to have no audio; see Run.
    std::optional<std::string> heldBack_;
};

void Conversion::toConsole(std::string_view text) {
    if (heldBack_)
        heldBack_->append(text);
    else
        console(text);
}

void Conversion::releaseConsole() {
    if (!heldBack_)
        return;
    std::string text = std::move(*heldBack_);
    heldBack_.reset();
    console(text);
}

RunResult Conversion::pump(const std::vector<std::string>& args, AmrWriter* amr,
                           ConsoleTranslator& translator) {
    RunResult result;
    // A stop or an orphaning before the start: ffmpeg is not started at all.
    if (gConsoleGone || parentGone()) {
        orphaned_ = true;
        return result;
    }
    if (unsigned char s = 0; ::read(gSignalPipe[0], &s, 1) == 1) {
        stopSignal_ = s;
        return result;
    }
    ChildProcess child;
    if (!child.Start(FfmpegProgram(), args, result.error)) {
        result.status = -1;
        return result;
    }
    int err = child.StderrFd(), progress = child.ProgressFd(), out = child.StdoutFd();
    auto deadline = Clock::time_point::max();
    bool writeFailed = false;
    pollfd consoleFds[2] = {{STDOUT_FILENO, 0, 0}, {STDERR_FILENO, 0, 0}};
    while (err >= 0 || progress >= 0 || out >= 0) {
        pollfd fds[6] = {{gSignalPipe[0], POLLIN, 0},
                         {err, POLLIN, 0},
                         {progress, POLLIN, 0},
                         {out, POLLIN, 0},
                         consoleFds[0],
                         consoleFds[1]};
        int ready = ::poll(fds, 6, 100);
        auto now = Clock::now();
        if (ready < 0 && errno != EINTR)
            break;
        if (ready > 0 && (fds[0].revents & POLLIN)) {
            unsigned char s = 0;
            while (::read(gSignalPipe[0], &s, 1) == 1) {
                if (!stopSignal_) {
                    stopSignal_ = s;
                    deadline = now + std::chrono::seconds(3);
                }
                child.Signal(s);
            }
        }
        for (int i = 0; i < 2; ++i) {
            consoleFds[i].revents = ready > 0 ? fds[4 + i].revents : 0;
            watchConsole(consoleFds[i]);
        }
        if (!orphaned_ && (gConsoleGone || parentGone())) {
            // Nobody is left to use the output or to stop us; ffmpeg is not worth waiting for.
            // Anything it started shares our group: when the group is ours alone (the program
            // starts us as its leader) it gets a SIGTERM, which our own handler only notes.
            orphaned_ = true;
            child.Signal(SIGKILL);
            if (::getpgrp() == ::getpid())
                ::kill(0, SIGTERM);
        }
        // The log before the progress: ffmpeg writes the output header before its first report.
        if (ready > 0 && err >= 0 && fds[1].revents) {
            if (!drain(err, [&](std::string_view t) { translator.FeedLog(t, now); }))
                child.CloseFd(err);
            if (heldBack_ && &translator == &translator_ && translator_.Input().audio)
                releaseConsole();
        }
        if (ready > 0 && out >= 0 && fds[3].revents) {
            bool open = drain(
                out,
                [&](std::string_view pcm) {
                    if (amr && !writeFailed && !amr->Write(pcm, result.error)) {
                        writeFailed = true;
                        child.Signal(SIGTERM);
                    }
                },
                256 * 1024);
            if (!open)
                child.CloseFd(out);
        }
        if (ready > 0 && progress >= 0 && fds[2].revents) {
            if (amr)
                translator.SetWritten(amr->BytesWritten(), amr->DurationUs());
            if (!drain(progress, [&](std::string_view t) { translator.FeedProgress(t, now); }))
                child.CloseFd(progress);
        }
        translator.Tick(now);
        if (now >= deadline) {
            // ffmpeg had its chance to close the file properly.
            child.Signal(SIGKILL);
            deadline = Clock::time_point::max();
        }
    }
    result.status = child.Wait();
    translator.EndRun();
    if (writeFailed && result.error.empty())
        result.error = "cannot write the AMR file";
    return result;
}

void Conversion::adaptToInput() {
    // ffmpeg lists the input and ends, for it is given no output; what it says goes nowhere.
    ConsoleTranslator listing(names(), [](std::string_view) {});
    pump(ProbeArgs(source_), nullptr, listing);
    AdaptToInput(plan_, o_, listing.Input());
    // Nothing has reached the console yet: the console lines follow the adapted plan.
    translator_ = ConsoleTranslator(names(), sink());
}

void Conversion::removeTemp() {
    if (!temp_.empty())
        ::unlink(temp_.c_str());
    temp_.clear();
}

int Conversion::fail(const std::string& line, OutputGuard& guard) {
    translator_.Finish();
    consoleLine(line);
    removeTemp();
    guard.RemovePartial();
    return 1;
}

int Conversion::abandoned(OutputGuard& guard) {
    // The line reaches whoever still reads the console (a parent that died may have left it).
    return fail(gConsoleGone ? "Error: the console was closed; the conversion is abandoned"
                             : "Error: the program that started the conversion has ended; the "
                               "conversion is abandoned",
                guard);
}

int Conversion::stopped(OutputGuard&) {
    // A stop keeps what was written.
    translator_.Finish();
    removeTemp();
    ::signal(stopSignal_, SIG_DFL);
    ::raise(stopSignal_);
    return 128 + stopSignal_;
}

int Conversion::Run(OutputGuard& guard) {
    FailureContext context{o_.input, source_, o_.output, plan_.muxer};
    auto ffmpegFailed = [&](const RunResult& r) -> std::string {
        if (!r.error.empty() && r.status == -1)
            return "Error: " + r.error;
        if (WIFSIGNALED(r.status))
            return "Error: ffmpeg ended abnormally (signal " + std::to_string(WTERMSIG(r.status)) +
                   ")";
        int code = WIFEXITED(r.status) ? WEXITSTATUS(r.status) : -1;
        // Whatever ffmpeg says first, an audio file cannot come from an input without audio.
        if (code != 0 && plan_.audioOnly && translator_.Input().WithoutAudio())
            return std::string("Error: the file has no audio stream");
        if (code != 0)
            return FailureLine(translator_.Errors(), context, code);
        if (!r.error.empty())
            return "Error: " + r.error;
        if (translator_.NothingEncoded())
            return "Error: nothing was encoded; the start position (-ss) may lie beyond the end "
                   "of the input";
        return {};
    };

    // AMR audio for a video is decoded from the input first, and that run lists the input as well:
    // no run of its own to list it. Until its listing shows audio its console lines are held
    // back, for without audio the video is converted alone, and that run lists the input again.
    const bool decodeLists =
        plan_.route == AudioRoute::AmrInContainer && NeedsInputStreams(o_, plan_);
    if (decodeLists)
        heldBack_.emplace();
    else if (NeedsInputStreams(o_, plan_)) {
        adaptToInput();
        if (orphaned_)
            return abandoned(guard);
        if (stopSignal_)
            return stopped(guard);
    }

    AmrWriter amr;
    std::string error;
    if (plan_.route != AudioRoute::Ffmpeg) {
        std::string amrPath = o_.output;
        if (plan_.route == AudioRoute::AmrInContainer) {
            const char* tmp = std::getenv("TMPDIR");
            std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/divuvo-XXXXXX.amr";
            int fd = ::mkstemps(pattern.data(), 4);
            if (fd < 0)
                return fail(std::string("Error: cannot create a temporary file: ") +
                                std::strerror(errno),
                            guard);
            ::close(fd);
            temp_ = amrPath = pattern;
            translator_.SetHold(true);
        }
        if (!amr.Open(amrPath, plan_.amr, error))
            return fail("Could not open output file '" + ConsoleName(amrPath) + "': " + error,
                        guard);
        RunResult r = pump(PcmDecodeArgs(o_, plan_, source_), &amr);
        if (decodeLists && !orphaned_ && !stopSignal_ && r.status != 0 && r.error.empty() &&
            translator_.Input().WithoutAudio() && translator_.Input().video) {
            // What this run said goes nowhere: the video alone is converted and says it anew.
            amr.Abandon();
            removeTemp();
            heldBack_.reset();
            AdaptToInput(plan_, o_, translator_.Input());
            translator_ = ConsoleTranslator(names(), sink());
        } else {
            releaseConsole();
            if (orphaned_ || stopSignal_) {
                amr.Abandon();
                return orphaned_ ? abandoned(guard) : stopped(guard);
            }
            std::string line = ffmpegFailed(r);
            if (line.empty() && !amr.Finish(error))
                line = "Error: cannot write '" + ConsoleName(amrPath) + "': " + error;
            if (line.empty() && amr.Frames() == 0)
                line = "Error: nothing was encoded; the input has no audio in the chosen stretch";
            if (!line.empty()) {
                amr.Abandon();
                return fail(line, guard);
            }
            if (plan_.route == AudioRoute::AmrFile) {
                translator_.Finish();
                return 0;
            }
            translator_.SetHold(false);
            translator_.SetWritten(std::nullopt, std::nullopt);
        }
    }

    RunResult r = pump(FfmpegArgs(o_, plan_, source_, temp_), nullptr);
    if (orphaned_)
        return abandoned(guard);
    if (stopSignal_)
        return stopped(guard);
    std::string line = ffmpegFailed(r);
    if (line.empty() && GetFileSize64(o_.output) <= 0)
        line = "Error: ffmpeg wrote no output file";
    if (!line.empty())
        return fail(line, guard);
    removeTemp();
    translator_.Finish();
    return 0;
}

std::string inputProblem(const std::string& path) {
    struct stat st {};
    int err = 0;
    if (::stat(path.c_str(), &st) != 0)
        err = errno;
    else if (S_ISDIR(st.st_mode))
        err = EISDIR;
    else if (::access(path.c_str(), R_OK) != 0)
        err = errno;
    if (!err)
        return {};
    return "Could not open input file '" + ConsoleName(path) + "': " + std::strerror(err);
}

} // namespace

std::string FfmpegProgram() {
    const char* program = std::getenv("DIVUVO_FFMPEG");
    return program && *program ? program : "ffmpeg";
}

int RunConverter(const std::vector<std::string>& args) {
    pid_t parent = ::getppid();
    // A broken console pipe shows as EPIPE and ends the conversion in order, not by the signal.
    ::signal(SIGPIPE, SIG_IGN);
    openStandardStreams();
    installStopHandlers();
    if (!watchParent(parent)) {
        consoleLine("Error: the program that started the conversion has ended");
        return 1;
    }
    ParseResult parsed = ParseCommandLine(args);
    if (!parsed.ok()) {
        consoleLine(parsed.error);
        return 1;
    }
    const EncoderOptions& options = parsed.options;
    std::string source = options.input;
    if (IsAvsScript(options.input)) {
        AvsSource avs = ReadAvsSource(options.input);
        if (!avs.error.empty()) {
            consoleLine(avs.error);
            return 1;
        }
        source = avs.path;
    }
    if (std::string problem = inputProblem(source); !problem.empty()) {
        consoleLine(problem);
        return 1;
    }
    PlanResult planned = PlanConversion(options);
    if (!planned.ok()) {
        consoleLine(planned.error);
        return 1;
    }
    OutputGuard guard(options.output);
    if (std::string problem = guard.Check(options, source); !problem.empty()) {
        consoleLine(problem);
        return 1;
    }
    Conversion conversion(options, planned.plan, source);
    return conversion.Run(guard);
}

} // namespace quillabe::divuvo
