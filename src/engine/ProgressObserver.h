#pragma once
// What a running batch reports, as numbers: the parser and the controller tell an observer, and
// each front end turns the numbers into its own display (ProgressTexts makes the progress window's
// texts). The engine never writes a widget text.

#include "engine/ProgressView.h" // TFileState

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillabe {

// The job's progress when the encoder has told both its duration and its position.
struct JobFigures {
    int percent = 0;
    int64_t remainingMs = 0;
};
// The batch's progress when its sizes are known.
struct BatchFigures {
    int percent = 0;
    int64_t estimatedMs = 0; // the whole batch
    int64_t remainingMs = 0;
};

// One update after a piece of encoder output.
struct ProgressUpdate {
    int64_t batchElapsedMs = 0;
    std::optional<JobFigures> job;     // set when the job's percentage was computed afresh
    std::optional<BatchFigures> batch; // set when the batch's percentage was computed afresh
    int fileNumber = 0;                // 1-based place of the job in the batch
    int fileCount = 0;
    std::string inputName; // as the encoder names them (full paths)
    std::string outputName;
    int jobPercent = 0; // the job's latest percentage, also when not computed afresh
    // The 1-based numbers of every job running now, ascending (more than one only when the batch
    // runs several conversions at once).
    std::vector<int> runningFiles;
};

// The batch after a finished job that is not the last.
struct BatchAfterJob {
    std::optional<int> percent; // whole percents of finished jobs; none when sizes are unknown
    std::optional<int64_t> estimatedMs;
    std::optional<int64_t> remainingMs;
};

enum class BatchPhase {
    Starting, // the batch begins (before the first job)
    AllDone,  // the last job succeeded: the batch is at 100 %
    Finished, // no job will start any more
};

class ProgressObserver {
public:
    virtual ~ProgressObserver() = default;
    virtual void DisplayReset() = 0; // a fresh display: nothing converted yet ("Preparing")
    virtual void Progress(const ProgressUpdate& update) = 0;
    virtual void JobDone(const BatchAfterJob& batch) = 0;
    virtual void Phase(BatchPhase phase) = 0;
    virtual void FileState(const std::string& path, TFileState state) = 0;
};

} // namespace quillabe
