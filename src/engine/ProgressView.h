#pragma once
// What a running batch shows, as plain values. The progress window implements it, and so does the
// console front end; the engine never reaches into widgets.

#include <string>

namespace quillabe {

enum class TFileState { Waiting = 0, Failed = 1, Done = 2, Converting = 3 };

enum class ProgressLabel {
    Caption,              // the progress window's caption
    LabelStatus,          // "Status=25%"
    LabelStatusRemaining, // the current job's remaining time
    LabelBatch,           // "Batch=10%"
    LabelBatchElapsed,
    LabelBatchEstimated,
    LabelBatchRemaining,
    LabelWorking,    // "Working on file 1 of 3: clip.avi"
    LabelOutput,     // "Output file: clip.mp4"
    LabelCovnerting, // "Conveting" / "Preparing"
    LabelStopWhenDone,
};

enum class ProgressBar { Status, Batch };

class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual void SetLabel(ProgressLabel label, const std::string& text) = 0;
    virtual void SetBar(ProgressBar bar, int percent) = 0;
    virtual bool AnimationRunning() const = 0;
    virtual void StartAnimation() = 0; // start, make visible
    virtual void StopAnimation() = 0;  // stop, hide (a fresh display)
    virtual void SetTrayHint(const std::string& hint) = 0;
    virtual void SetFileState(const std::string& path, TFileState state) = 0;
};

} // namespace quillabe
