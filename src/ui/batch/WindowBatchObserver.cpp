#include "ui/batch/WindowBatchObserver.h"

#include "base/PathUtils.h"
#include "engine/BatchController.h"
#include "lang/Messages.h"
#include "ui/batch/TfrmShutdown.h"
#include "ui/batch/TrayAccess.h"
#include "ui/dialogs/DialogPlacement.h"

namespace quillabe {

WindowBatchObserver::WindowBatchObserver(QWidget* mainWindow, TrayAccess* tray)
    : mainWindow_(mainWindow), tray_(tray), window_(new TfrmProgress(mainWindow)),
      texts_(*window_) {
    window_->SetTray(tray);
    // Modal to the main window, but shown without a loop of its own: the controller runs one.
    window_->setWindowModality(mainWindow ? Qt::WindowModal : Qt::ApplicationModal);
    QObject::connect(window_, &TfrmProgress::stopNowRequested, window_, [this] {
        if (controller_)
            controller_->StopNow();
    });
    QObject::connect(window_, &TfrmProgress::stopWhenDoneChanged, window_,
                     [this](bool stop) { StopWhenDoneChanged(stop); });
    QObject::connect(window_, &TfrmProgress::shutdownWhenDoneChanged, window_, [this](bool on) {
        if (controller_)
            controller_->SetShutdownWhenDone(on);
    });
    QObject::connect(window_, &TfrmProgress::fileStateChanged, window_,
                     [this](const std::string& path, TFileState state) {
                         if (onFileState_)
                             onFileState_(path, state);
                     });
}

WindowBatchObserver::~WindowBatchObserver() {
    delete window_.data();
}

void WindowBatchObserver::StopWhenDoneChanged(bool stop) {
    if (!controller_)
        return;
    controller_->SetStopWhenDone(stop);
    // After a job could not start, no file is being converted: "when done" is now.
    if (stop && running_ && !jobRunning_)
        controller_->StopNow();
}

void WindowBatchObserver::BatchOpened() {
    running_ = true;
    jobRunning_ = true;
    window_->Prepare();
    CenterOver(*window_, mainWindow_);
    window_->show();
}

void WindowBatchObserver::DisplayReset() {
    texts_.DisplayReset();
    // Nothing of the previous batch may show, not even for a moment.
    window_->FlushDisplay();
}

void WindowBatchObserver::Progress(const ProgressUpdate& update) {
    texts_.Progress(update);
}

void WindowBatchObserver::JobDone(const BatchAfterJob& batch) {
    texts_.JobDone(batch);
}

void WindowBatchObserver::Phase(BatchPhase phase) {
    texts_.Phase(phase);
    if (phase == BatchPhase::Finished)
        window_->MarkFinished();
}

void WindowBatchObserver::FileState(const std::string& path, TFileState state) {
    texts_.FileState(path, state);
}

void WindowBatchObserver::BatchClosed(bool) {
    running_ = false;
    window_->MarkFinished(); // also after a stop now or a failed start: the last texts show
}

void WindowBatchObserver::BatchSucceeded() {
    if (tray_)
        tray_->ShowBalloon(FormatMsg(MSG_TRAY_INFO, {Msg(MSG_APPLICATION_TITLE)}),
                           Msg(MSG_TRAY_CONVERT_COMPLETE), 10000);
}

void WindowBatchObserver::JobStartFailed(bool chaining) {
    if (chaining)
        jobRunning_ = false;
}

bool WindowBatchObserver::CheckOutputFolder(const std::string& folderText) {
    return checkFolder_ ? checkFolder_(folderText) : DirectoryExists(folderText);
}

bool WindowBatchObserver::RunShutdownCountdown() {
    // The batch ended while the stop question was open: whatever the answer, the user was
    // about to stop it, so no action follows.
    if (window_->result() == QDialog::Rejected)
        return false;
    TfrmShutdown countdown(mainWindow_, countdownTickMs_);
    CenterOver(countdown, mainWindow_);
    return countdown.exec() == QDialog::Accepted;
}

} // namespace quillabe
