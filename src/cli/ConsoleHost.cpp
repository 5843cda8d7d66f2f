#include "cli/ConsoleHost.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "core/MessageDialogs.h"
#include "lang/Messages.h"

#include <cstdio>

namespace quillabe {

void ConsoleHost::DisplayReset() {
    progress_.BatchStarted();
    lines_.BatchStarted();
    several_ = false;
    runningJobs_.clear();
}

void ConsoleHost::Progress(const ProgressUpdate& u) {
    const auto job = u.job ? std::optional<int>(u.job->percent) : std::nullopt;
    const auto batch = u.batch ? std::optional<int>(u.batch->percent) : std::nullopt;
    if (several_)
        lines_.Update(u.fileNumber, job, batch);
    else if (jobRunning_)
        progress_.Update(job, batch);
}

void ConsoleHost::JobDone(const BatchAfterJob& b) {
    if (b.percent) {
        progress_.BatchAfterJob(*b.percent);
        lines_.BatchAfterJob(*b.percent);
    }
    printEndedJob();
}

void ConsoleHost::Phase(BatchPhase phase) {
    if (phase == BatchPhase::AllDone) {
        progress_.BatchAfterJob(100);
        lines_.BatchAfterJob(100);
    } else if (phase == BatchPhase::Finished) {
        printEndedJob();
    }
}

void ConsoleHost::BatchClosed(bool) {
    printEndedJob();
    breakLine();
}

void ConsoleHost::breakLine() {
    progress_.BreakLine();
    lines_.Clear();
}

void ConsoleHost::JobStartFailed(bool) {
    printEndedJob();
    breakLine();
    startFailed_ = true;
    if (stop_)
        stop_();
}

void ConsoleHost::JobStarted(int index, const std::string& input, const std::string& output) {
    printEndedJob();
    breakLine();
    std::printf("[%d/%d] %s -> %s\n", index + 1, fileCount_, input.c_str(), output.c_str());
    std::fflush(stdout);
    runningJobs_.emplace_back(index + 1, input);
    if (!several_ && runningJobs_.size() > 1) {
        // From here on one line per running job; the job shown alone so far moves there too.
        several_ = true;
        jobRunning_ = false;
        for (const auto& [number, name] : runningJobs_)
            lines_.JobStarted(number, name);
    } else if (several_) {
        lines_.JobStarted(index + 1, input);
    } else {
        progress_.JobStarted();
        jobRunning_ = true;
    }
    lines_.Redraw();
}

void ConsoleHost::JobFinished(int index, const std::string& input, bool failed) {
    jobRunning_ = false;
    std::erase_if(runningJobs_, [index](const auto& job) { return job.first == index + 1; });
    printEndedJob();
    ended_ = EndedJob{index, input, failed, std::exchange(keptSources_, {})};
}

void ConsoleHost::SourceKept(const std::string& input, const std::string& reason) {
    keptSources_.push_back(input + ": " + reason);
}

void ConsoleHost::BatchStopped() {
    printEndedJob();
    breakLine();
    std::fprintf(stderr, "stopped: the running job was killed and its output removed\n");
}

void ConsoleHost::printEndedJob() {
    if (!ended_)
        return;
    const EndedJob job = std::move(*ended_);
    ended_.reset();
    if (several_)
        lines_.JobEnded(job.index + 1, !job.failed);
    else
        progress_.JobEnded(!job.failed);
    std::printf("[%d/%d] %s: %s\n", job.index + 1, fileCount_, job.failed ? "failed" : "done",
                job.input.c_str());
    std::fflush(stdout);
    for (const std::string& kept : job.keptSources)
        std::fprintf(stderr, "kept source: %s\n", kept.c_str());
    lines_.Redraw();
}

bool ConsoleHost::CheckOutputFolder(const std::string& folder) {
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

bool ConsoleHost::RunShutdownCountdown() {
    std::printf("all jobs done; the end-of-batch action follows\n");
    std::fflush(stdout);
    return true;
}

} // namespace quillabe
