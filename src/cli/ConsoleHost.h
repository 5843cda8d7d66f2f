#pragma once
// The console's side of a batch: it prints a line as each job starts and ends, the progress in
// between (ConsoleProgress; ConsoleJobLines once two jobs have run at once, for the rest of the
// batch) and what the controller reports, and answers the controller's questions the way a
// command line means them.

#include "cli/ConsoleJobLines.h"
#include "cli/ConsoleProgress.h"
#include "engine/BatchObserver.h"
#include "engine/FileList.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillabe {

class ConsoleHost : public BatchObserver, public BatchQuestions {
public:
    ConsoleHost(FileList& files, int fileCount, ConsoleProgress& progress, ConsoleJobLines& lines)
        : files_(files), fileCount_(fileCount), progress_(progress), lines_(lines) {}

    // BatchObserver
    void DisplayReset() override;
    void Progress(const ProgressUpdate& u) override;
    void JobDone(const BatchAfterJob& b) override;
    void Phase(BatchPhase phase) override;
    void FileState(const std::string& path, TFileState state) override {
        files_.SetFileState(path, state);
    }
    void BatchOpened() override {}
    void BatchClosed(bool) override;
    void JobStartFailed(bool) override;
    void JobStarted(int index, const std::string& input, const std::string& output) override;
    void JobFinished(int index, const std::string& input, bool failed) override;
    void SourceKept(const std::string& input, const std::string& reason) override;
    void BatchStopped() override;

    // BatchQuestions
    bool CheckOutputFolder(const std::string& folder) override;
    bool RunShutdownCountdown() override;

    bool StartFailed() const { return startFailed_; }
    // How a job start failure stops the batch: nobody is there to close it by hand.
    void OnStop(std::function<void()> stop) { stop_ = std::move(stop); }

private:
    // A job's end line waits until the batch's figure after it is known, so the job's final
    // state is shown with it.
    struct EndedJob {
        int index;
        std::string input;
        bool failed;
        std::vector<std::string> keptSources; // "input: reason"
    };
    void printEndedJob();
    // Ends what the progress display has open, so that the next text starts on a line of its own.
    void breakLine();

    FileList& files_;
    int fileCount_;
    ConsoleProgress& progress_;
    ConsoleJobLines& lines_;
    bool jobRunning_ = false;
    bool several_ = false;                                 // two jobs have run at once
    std::vector<std::pair<int, std::string>> runningJobs_; // number (from 1) and input
    bool startFailed_ = false;
    std::vector<std::string> keptSources_;
    std::optional<EndedJob> ended_;
    std::function<void()> stop_;
};

} // namespace quillabe
