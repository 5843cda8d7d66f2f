#pragma once
// The texts of a running batch, made in one place from the numbers the engine reports: the
// progress window shows them, and the console uses the same functions where it prints them.

#include "engine/ProgressObserver.h"
#include "engine/ProgressView.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quillabe {

// "h:nn:ss" of a span in milliseconds (its amount, within one day).
std::string FormatClockMs(int64_t ms);
std::string StatusText(int percent); // "Status=25%"
std::string BatchText(int percent);  // "Batch=10%"
std::string WorkingText(int fileNumber, int fileCount, const std::string& inputPath);
// Ascending file numbers as runs: {3, 4, 6} -> "3–4, 6" (en dash).
std::string FileNumbersText(const std::vector<int>& numbers);
// "Working on files 3–4 of 9" while several files are converted at once.
std::string WorkingSeveralText(const std::vector<int>& fileNumbers, int fileCount);
std::string OutputText(const std::string& outputPath); // "Output file: clip.mp4"
std::string TrayHintText(const std::string& inputPath, int jobPercent);

// An observer that shows the figures as the progress window's texts on a ProgressView.
class ProgressTexts : public ProgressObserver {
public:
    explicit ProgressTexts(ProgressView& view) : view_(view) {}
    void DisplayReset() override;
    void Progress(const ProgressUpdate& update) override;
    void JobDone(const BatchAfterJob& batch) override;
    void Phase(BatchPhase phase) override;
    void FileState(const std::string& path, TFileState state) override;

private:
    // What the display tells of one running file; while several run, the job rows follow the
    // lowest of them, so the rows do not jump from file to file with every update.
    struct RunningFile {
        std::string inputName;
        std::string outputName;
        int jobPercent = 0;
        std::optional<JobFigures> job;
    };
    void showSeveral(const ProgressUpdate& update);
    void remember(const ProgressUpdate& update);
    void showBatch(const ProgressUpdate& update);
    void startAnimation();

    ProgressView& view_;
    std::map<int, RunningFile> running_; // by file number, the running files that have spoken
};

} // namespace quillabe
