#include "cli/ConsoleFrontEnd.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "cli/ConsoleHost.h"
#include "cli/ConsoleJobLines.h"
#include "cli/ConsoleMessages.h"
#include "cli/ConsoleProgress.h"
#include "cli/FormatArgument.h"
#include "cli/NamedFiles.h"
#include "cli/TargetText.h"
#include "core/GlobalVars.h"
#include "core/OutputFormat.h"
#include "core/SystemSettings.h"
#include "engine/BatchController.h"
#include "engine/BatchRequest.h"
#include "engine/PowerActions.h"
#include "engine/Redirector.h"
#include "engine/TerminationSignals.h"
#include "profiles/ProfileRecords.h"
#include "profiles/TargetSelection.h"

#include <array>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
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

// The --jobs value: whole decimal digits only, so that "2x" or "-1" is refused rather than read as
// something else, and no more than the settings allow.
std::optional<int> jobsValue(const std::string& text) {
    int value = -1;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || text[0] == '-' || text[0] == '+' || ec != std::errc() || ptr != end ||
        value > kMaxSimultaneousJobs)
        return std::nullopt;
    return value;
}

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
            auto format = FormatFromArgument(value);
            if (!format) {
                error = "unknown format '" + value + "' (one of: " + FormatWords() + ")";
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
        } else if (a == "--jobs") {
            if (!takeValue(args, i, value, error))
                return std::nullopt;
            const auto jobs = jobsValue(value);
            if (!jobs) {
                error = "--jobs takes a number from 0 to " + std::to_string(kMaxSimultaneousJobs) +
                        " (0: one per processor core), not '" + value + "'";
                return std::nullopt;
            }
            o.jobs = *jobs;
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

const char* whenDoneName(int value) {
    for (const auto& w : kWhenDone)
        if (w.value == value)
            return w.name;
    return "?";
}

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
        return usage(TargetErrorText(*refused));
    const auto& target = std::get<ChosenTarget>(choice);
    BatchRequest request;
    request.format = options.format;
    if (IsPresetFormat(options.format))
        request.preset = target.variant;
    else
        request.profilePath = target.profilePath;
    // No profile installed: a job loads no file into the format's record, so it starts from the
    // format's defaults rather than from an empty record.
    if (!IsPresetFormat(options.format) && target.profilePath.empty())
        if (const ProfileRecordOps* ops = FindProfileRecordOps(options.format))
            ops->defaults();
    request.outputFolder = options.output;
    request.deleteSource = options.deleteSource;
    // The console runs the end-of-batch action itself, so that a failed one is told and ends
    // the program with a failure status.
    request.shutdownWhenDone = false;
    request.priority = GlobalVars.Priority;
    request.jobs = options.jobs;

    const bool terminal = isatty(STDOUT_FILENO) != 0;
    ConsoleProgress progress(stdout, terminal);
    ConsoleJobLines lines(stdout, terminal, 0);
    auto messages = std::make_shared<ConsoleMessages>([&progress, &lines] {
        progress.BreakLine();
        lines.Clear();
    });
    SetMessageDialogHandler(messages);
    struct RestoreMessages {
        ~RestoreMessages() { SetMessageDialogHandler(nullptr); }
    } restoreMessages;

    std::fputs(DescribeTarget(options.format, target, options.output).c_str(), stdout);
    std::fflush(stdout);

    FileList files;
    const std::vector<SkippedFile> skipped = AddNamedFiles(files, options.files, *messages);
    for (const SkippedFile& file : skipped)
        std::fprintf(stderr, "skipped: %s: %s\n", file.path.c_str(), file.reason.c_str());
    std::fflush(stderr);

    TRedirector runner;
    lines.SetFileCount(static_cast<int>(files.Count()));
    ConsoleHost host(files, static_cast<int>(files.Count()), progress, lines);
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
    const int done = GlobalVars.Batch.DoneCount;
    const int failed = GlobalVars.Batch.FailedCount;
    const bool cleanBatch =
        controller.LastResult() == BatchResult::Completed && failed == 0 && !host.StartFailed();
    bool actionFailed = false;
    if (options.whenDone && cleanBatch && host.RunShutdownCountdown()) {
        const PowerResult power = ShutdownSystem(*options.whenDone);
        if (!power.ok) {
            actionFailed = true;
            std::fprintf(stderr, "quillabe: --when-done %s failed: %s\n",
                         whenDoneName(*options.whenDone), power.error.c_str());
        }
    }

    std::string summary = "done: " + std::to_string(done) + ", failed: " + std::to_string(failed);
    if (!skipped.empty())
        summary += ", skipped: " + std::to_string(skipped.size());
    std::printf("%s\n", summary.c_str());
    std::fflush(stdout);
    // Success only when every file named on the command line was converted.
    const bool allConverted = !options.files.empty() && skipped.empty() && cleanBatch &&
                              done == static_cast<int>(files.Count());
    return allConverted && !actionFailed ? 0 : 1;
}

} // namespace quillabe
