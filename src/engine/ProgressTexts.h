#pragma once
// The texts of a running batch, made in one place from the numbers the engine reports: the
// progress window shows them, and the console uses the same functions where it prints them.

#include "engine/ProgressObserver.h"
#include "engine/ProgressView.h"

#include <cstdint>
#include <string>

namespace quillabe {

// "h:nn:ss" of a span in milliseconds (its amount, within one day).
std::string FormatClockMs(int64_t ms);
std::string StatusText(int percent); // "Status=25%"
std::string BatchText(int percent);  // "Batch=10%"
std::string WorkingText(int fileNumber, int fileCount, const std::string& inputPath);
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
    ProgressView& view_;
};

} // namespace quillabe
