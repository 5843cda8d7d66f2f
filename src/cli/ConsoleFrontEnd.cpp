#include "cli/ConsoleFrontEnd.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "core/GlobalVars.h"
#include "core/MessageDialogs.h"
#include "core/OutputFormat.h"
#include "engine/BatchController.h"
#include "engine/BatchRequest.h"
#include "engine/PowerActions.h"
#include "engine/Redirector.h"
#include "engine/TerminationSignals.h"
#include "lang/Messages.h"
#include "profiles/TargetSelection.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace quillabe {

namespace {

struct ActionName {
    const char* name;
    int value;
};
// --when-done names of the end-of-batch values.
constexpr std::array<ActionName, 6> kWhenDone = {{
    {"quit", 0},
    {"poweroff", 1},
    {"logoff", 2},
    {"reboot", 3},
    {"hibernate", 4},
    {"suspend", 5},
}};

using Clock = std::chrono::steady_clock;

class ConsoleHost : public BatchObserver, public BatchQuestions {
public:
    ConsoleHost(FileList& files, int fileCount)
        : files_(files), fileCount_(fileCount), tty_(isatty(STDOUT_FILENO) != 0) {}

    // BatchObserver: progress as numbers; every update ends with the progress line.
    void DisplayReset() override {}
    void Progress(const ProgressUpdate& u) override {
        if (u.job)
            jobPercent_ = u.job->percent;
        if (u.batch)
            batchPercent_ = u.batch->percent;
        if (jobRunning_)
            showProgress();
    }
    void JobDone(const BatchAfterJob& b) override {
        if (b.percent)
            batchPercent_ = *b.percent;
    }
    void Phase(BatchPhase phase) override {
        if (phase == BatchPhase::AllDone)
            jobPercent_ = 100;
    }
    void FileState(const std::string& path, TFileState state) override {
        files_.SetFileState(path, state);
    }
    void BatchOpened() override {}
    void BatchClosed(bool) override { endProgressLine(); }
    void JobStartFailed(bool) override {
        endProgressLine();
        startFailed_ = true;
        // Nobody is there to close the batch by hand.
        if (stop_)
            stop_();
    }
    void JobStarted(int index, const std::string& input, const std::string& output) override {
        endProgressLine();
        std::printf("[%d/%d] %s -> %s\n", index + 1, fileCount_, input.c_str(), output.c_str());
        std::fflush(stdout);
        jobPercent_ = 0;
        jobRunning_ = true;
        lastShown_ = {};
        lastPlainPercent_ = -1;
    }
    void JobFinished(int index, const std::string& input, bool failed) override {
        jobRunning_ = false;
        endProgressLine();
        std::printf("[%d/%d] %s: %s\n", index + 1, fileCount_, failed ? "failed" : "done",
                    input.c_str());
        std::fflush(stdout);
    }

    // BatchQuestions
    bool CheckOutputFolder(const std::string& folder) override {
        if (Trim(folder).empty()) {
            ShowMessageBox(Msg(MSG_EMPTY_DIR), Msg(MSG_EMPTY), MB_ICONQUESTION);
            return false;
        }
        if (DirectoryExists(folder))
            return true;
        // Asked for on the command line: nobody to ask, so the folder is created.
        if (ForceDirectories(folder))
            return true;
        ShowMessageBox(Msg(MSG_FAIL_TO_CREATEDIR), Msg(MSG_FAIL_CREATEDIR), MB_ICONQUESTION);
        return false;
    }
    bool RunShutdownCountdown() override {
        std::printf("all jobs done; the end-of-batch action follows\n");
        return true;
    }

    void SourceKept(const std::string& input, const std::string& reason) override {
        endProgressLine();
        std::fprintf(stderr, "kept source: %s: %s\n", input.c_str(), reason.c_str());
    }
    void BatchStopped() override {
        endProgressLine();
        std::fprintf(stderr, "stopped: the running job was killed and its output removed\n");
    }

    bool StartFailed() const { return startFailed_; }
    void OnStop(std::function<void()> stop) { stop_ = std::move(stop); }

private:
    // A bar on a terminal, at most five times a second; plain lines every tenth otherwise.
    void showProgress() {
        auto now = Clock::now();
        if (tty_) {
            if (now - lastShown_ < std::chrono::milliseconds(200))
                return;
            lastShown_ = now;
            const int width = 30;
            int filled = jobPercent_ * width / 100;
            std::printf("\r  [%s%s] %3d%%  batch %3d%%", std::string(filled, '#').c_str(),
                        std::string(width - filled, ' ').c_str(), jobPercent_, batchPercent_);
            std::fflush(stdout);
            barShown_ = true;
        } else if (jobPercent_ / 10 != lastPlainPercent_ / 10 || lastPlainPercent_ < 0) {
            lastPlainPercent_ = jobPercent_;
            std::printf("  progress %d%% (batch %d%%)\n", jobPercent_, batchPercent_);
            std::fflush(stdout);
        }
    }
    void endProgressLine() {
        if (barShown_) {
            std::printf("\n");
            barShown_ = false;
        }
    }

    FileList& files_;
    int fileCount_;
    bool tty_;
    bool barShown_ = false;
    bool jobRunning_ = false;
    bool startFailed_ = false;
    int jobPercent_ = 0;
    int batchPercent_ = 0;
    int lastPlainPercent_ = -1;
    Clock::time_point lastShown_{};
    std::function<void()> stop_;
};

bool takeValue(const std::vector<std::string>& args, size_t& i, std::string& value,
               std::string& error) {
    if (i + 1 >= args.size()) {
        error = "option " + args[i] + " needs a value";
        return false;
    }
    value = args[++i];
    return true;
}

} // namespace

std::optional<ConvertOptions> ParseConvertArgs(const std::vector<std::string>& args,
                                               std::string& error) {
    ConvertOptions o;
    bool filesOnly = false;
    std::string value;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (filesOnly || a.empty() || a[0] != '-') {
            o.files.push_back(a);
        } else if (a == "--") {
            filesOnly = true;
        } else if (a == "--to") {
            if (!takeValue(args, i, value, error))
                return std::nullopt;
            auto format = OutputFormatFromDirectory(value);
            if (!format) {
                error = "unknown format '" + value + "'";
                return std::nullopt;
            }
            o.format = *format;
        } else if (a == "--profile" || a == "--preset" || a == "--variant" || a == "--output") {
            if (!takeValue(args, i, value, error))
                return std::nullopt;
            if (a == "--profile")
                o.profile = value;
            else if (a == "--preset")
                o.preset = value;
            else if (a == "--variant")
                o.variant = value;
            else
                o.output = value;
        } else if (a == "--delete-source") {
            o.deleteSource = true;
        } else if (a == "--when-done") {
            if (!takeValue(args, i, value, error))
                return std::nullopt;
            o.whenDone.reset();
            for (const auto& w : kWhenDone)
                if (value == w.name)
                    o.whenDone = w.value;
            if (!o.whenDone) {
                error = "unknown --when-done action '" + value +
                        "' (quit, poweroff, logoff, reboot, hibernate, suspend)";
                return std::nullopt;
            }
        } else {
            error = "unknown option '" + a + "'";
            return std::nullopt;
        }
    }
    if (o.format < 0) {
        error = "--to FORMAT is required";
        return std::nullopt;
    }
    if (o.output.empty()) {
        error = "--output DIR is required";
        return std::nullopt;
    }
    if (o.files.empty()) {
        error = "no input files given";
        return std::nullopt;
    }
    if (IsPresetFormat(o.format) ? o.profile.has_value() : (o.preset || o.variant)) {
        error = IsPresetFormat(o.format) ? "MP4 and 3GP are converted through presets: use --preset"
                                         : "--preset and --variant are for mp4 and 3gp only";
        return std::nullopt;
    }
    if (o.variant && !o.preset) {
        error = "--variant needs --preset";
        return std::nullopt;
    }
    return o;
}

namespace {

int usage(const std::string& error) {
    std::fprintf(stderr, "quillabe --convert: %s\n", error.c_str());
    return 2;
}

// Every job runs in the program directory, so a name relative to where the program was started
// would point somewhere else by then.
std::string absolutePath(const std::string& path) {
    if (path.empty() || path[0] == kPathDelim)
        return path;
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path : full.string();
}

} // namespace

int RunConsoleConvert(const ConvertOptions& given) {
    ConvertOptions options = given;
    for (std::string& file : options.files)
        file = absolutePath(file);
    if (!Trim(options.output).empty())
        options.output = absolutePath(options.output);
    GlobalVars.OutputFormat = static_cast<uint8_t>(options.format);

    // The target: a profile of the format, or a preset variant.
    const TargetChoice choice =
        SelectTarget({options.format, options.profile, options.preset, options.variant});
    if (const auto* refused = std::get_if<TargetError>(&choice))
        return usage(refused->message);
    const auto& target = std::get<ChosenTarget>(choice);
    BatchRequest request;
    request.format = options.format;
    if (IsPresetFormat(options.format))
        request.preset = target.variant;
    else
        request.profilePath = target.profilePath;
    request.outputFolder = options.output;
    request.deleteSource = options.deleteSource;
    request.shutdownWhenDone = options.whenDone.has_value();
    request.shutdownFlag = static_cast<uint8_t>(options.whenDone.value_or(0));
    request.priority = GlobalVars.Priority;

    FileList files;
    files.AddFiles(options.files);

    TRedirector runner;
    ConsoleHost host(files, static_cast<int>(files.Count()));
    BatchController controller(files, runner, host, host);
    host.OnStop([&] { controller.StopNow(); });
    TerminationSignals termination([&](int) { controller.StopNow(); });
    // Action 0 ends the program, which the console does anyway once the batch is over.
    SetQuitCallback([] {});

    controller.ActionConvertExecute(request);

    if (termination.Received() == SIGINT)
        return 130;
    if (termination.Received() == SIGTERM)
        return 143;
    int done = GlobalVars.Batch.DoneCount;
    int failed = GlobalVars.Batch.FailedCount;
    std::printf("done: %d, failed: %d\n", done, failed);
    bool allDone = files.Count() > 0 && done == static_cast<int>(files.Count()) && failed == 0 &&
                   !host.StartFailed();
    return allDone ? 0 : 1;
}

} // namespace quillabe
