#include "cli/ConsoleHost.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "core/MessageDialogs.h"
#include "lang/Messages.h"

#include <cstdio>

namespace quillabe {

void ConsoleHost::Progress(const ProgressUpdate& u) {
    if (!jobRunning_)
        return;
    progress_.Update(u.job ? std::optional<int>(u.job->percent) : std::nullopt,
                     u.batch ? std::optional<int>(u.batch->percent) : std::nullopt);
}

void ConsoleHost::JobDone(const BatchAfterJob& b) {
    if (b.percent)
        progress_.BatchAfterJob(*b.percent);
    printEndedJob();
}

void ConsoleHost::Phase(BatchPhase phase) {
    if (phase == BatchPhase::AllDone)
        progress_.BatchAfterJob(100);
    else if (phase == BatchPhase::Finished)
        printEndedJob();
}

void ConsoleHost::BatchClosed(bool) {
    printEndedJob();
    progress_.BreakLine();
}

void ConsoleHost::JobStartFailed(bool) {
    printEndedJob();
    progress_.BreakLine();
    startFailed_ = true;
    if (stop_)
        stop_();
}

void ConsoleHost::JobStarted(int index, const std::string& input, const std::string& output) {
    printEndedJob();
    progress_.BreakLine();
    std::printf("[%d/%d] %s -> %s\n", index + 1, fileCount_, input.c_str(), output.c_str());
    std::fflush(stdout);
    progress_.JobStarted();
    jobRunning_ = true;
}

void ConsoleHost::JobFinished(int index, const std::string& input, bool failed) {
    jobRunning_ = false;
    printEndedJob();
    ended_ = EndedJob{index, input, failed, std::exchange(keptSources_, {})};
}

void ConsoleHost::SourceKept(const std::string& input, const std::string& reason) {
    keptSources_.push_back(input + ": " + reason);
}

void ConsoleHost::BatchStopped() {
    printEndedJob();
    progress_.BreakLine();
    std::fprintf(stderr, "stopped: the running job was killed and its output removed\n");
}

void ConsoleHost::printEndedJob() {
    if (!ended_)
        return;
    const EndedJob job = std::move(*ended_);
    ended_.reset();
    progress_.JobEnded(!job.failed);
    std::printf("[%d/%d] %s: %s\n", job.index + 1, fileCount_, job.failed ? "failed" : "done",
                job.input.c_str());
    std::fflush(stdout);
    for (const std::string& kept : job.keptSources)
        std::fprintf(stderr, "kept source: %s\n", kept.c_str());
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
