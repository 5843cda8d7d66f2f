#pragma once
// What the batch controller needs from whoever starts a batch: the main window with its progress
// window, or the console front end. Plain values only; the controller never sees a widget.

#include "engine/ProgressView.h"

#include <string>

namespace quillabe {

struct TProfileDetailItem;

// SetFileState (of ProgressView) is where the host updates its file list's entry.
class BatchHost : public ProgressView {
public:
    // The text of the output folder box, unchanged.
    virtual std::string OutputFolderText() const = 0;
    // The text of the format's profile box (the selected profile's name).
    virtual std::string CurrentProfileName(int format) const = 0;
    // The selected MP4/3GP preset variant, or nullptr when none is selected.
    virtual const TProfileDetailItem* SelectedPresetItem() const = 0;
    // True when the output folder box names an existing or newly created folder; otherwise the
    // user has been told why not.
    virtual bool CheckOutputFolder() = 0;

    // The progress window: created and placed with its caption and stop label; shown modally by
    // RunProgress until CloseProgress or a stop by the user, returning mrOk or mrCancel.
    virtual void OpenProgress(const std::string& caption, const std::string& stopLabel) = 0;
    virtual int RunProgress() = 0;
    virtual void CloseProgress(int result) = 0; // marks the batch finished first
    virtual void ReleaseProgress() = 0;

    virtual void ShowBalloon(const std::string& title, const std::string& text) = 0;
    // The shutdown countdown; true when it ran out (OK), false when cancelled.
    virtual bool RunShutdownCountdown() = 0;
    // A failure while starting a job; `chaining` tells whether it happened between jobs (the
    // progress window then stays open until the user closes it).
    virtual void JobStartFailed(const std::string& text, bool chaining) = 0;

    // Notices for front ends that print a line per job; the window ignores them.
    virtual void JobStarted(int /*index*/, const std::string& /*input*/,
                            const std::string& /*output*/) {}
    virtual void JobFinished(int /*index*/, bool /*failed*/) {}
    // The source was to be deleted, but its output did not pass the check; `reason` says why.
    virtual void SourceKept(const std::string& /*input*/, const std::string& /*reason*/) {}
    // Stop now ended the batch while a job ran.
    virtual void BatchStopped() {}
};

} // namespace quillabe
