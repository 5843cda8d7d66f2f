#pragma once
// What the console shows of a running batch: a bar redrawn in place on a terminal (at most five
// times a second), or a line at each tenth of a job when the output goes to a pipe or a file.
// It only moves forward: a job's figure never goes back while the job runs, the batch's never
// during the batch, and a job that succeeded is shown at 100 % before its end line.

#include <chrono>
#include <cstdio>
#include <optional>

namespace quillabe {

class ConsoleProgress {
public:
    ConsoleProgress(std::FILE* out, bool terminal) : out_(out), terminal_(terminal) {}

    void BatchStarted(); // nothing converted yet
    void JobStarted();   // the job at 0 %, the batch where it was
    // The running job's and the batch's newest figures; none leaves a figure as it is.
    void Update(std::optional<int> jobPercent, std::optional<int> batchPercent);
    // The batch's figure after a job, shown with that job's final state.
    void BatchAfterJob(int percent);
    // Shows the job's final state (100 % when it succeeded); the caller prints the end line next.
    void JobEnded(bool succeeded);
    // Ends a bar line, so that the next text starts on a line of its own.
    void BreakLine();

private:
    void show(bool final);

    std::FILE* out_;
    bool terminal_;
    bool jobRunning_ = false;
    int job_ = 0;
    int batch_ = 0;
    int shownJob_ = -1; // what was shown last for this job; -1 nothing yet
    int shownBatch_ = -1;
    bool barOpen_ = false;
    std::chrono::steady_clock::time_point shownAt_{};
};

} // namespace quillabe
