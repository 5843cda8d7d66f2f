#pragma once
// The two sides a batch controller talks to besides the runner: an observer that is told what
// happens (numbers and plain values), and the questions it asks the user. The main window and
// the console implement both; the controller never sees a widget.

#include "engine/ProgressObserver.h"

#include <string>

namespace quillabe {

class BatchObserver : public ProgressObserver {
public:
    // The batch's display opens (the progress window appears) and closes; `stopped` tells a stop
    // now from a normal end.
    virtual void BatchOpened() = 0;
    virtual void BatchClosed(bool stopped) = 0;
    // A clean batch ended: every job succeeded (the completion notice).
    virtual void BatchSucceeded() {}
    // Lines for front ends that print one per job; the window may ignore them.
    virtual void JobStarted(int /*index*/, const std::string& /*input*/,
                            const std::string& /*output*/) {}
    virtual void JobFinished(int /*index*/, const std::string& /*input*/, bool /*failed*/) {}
    // The source was to be deleted, but its output did not pass the check; `reason` says why.
    virtual void SourceKept(const std::string& /*input*/, const std::string& /*reason*/) {}
    // Stop now ended the batch while a job ran; that job's output is removed.
    virtual void BatchStopped() {}
    // No further job could start (the user was told why).
    virtual void JobStartFailed(bool /*chaining*/) {}
};

class BatchQuestions {
public:
    virtual ~BatchQuestions() = default;
    // True when the folder exists or was created; otherwise the user has been told why not.
    virtual bool CheckOutputFolder(const std::string& folderText) = 0;
    // The shutdown countdown; true when it ran out, false when cancelled.
    virtual bool RunShutdownCountdown() = 0;
};

} // namespace quillabe
