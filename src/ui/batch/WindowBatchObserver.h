#pragma once
// The batch controller's observer and questions for the windows: it shows the progress window
// while a batch runs (modal to the main window, without a loop of its own: the controller waits
// for the end of the batch), feeds it through the shared progress texts, passes the file states
// on to the file list, steers the controller from the window's answers and check box, and runs
// the shutdown countdown.

#include "engine/BatchObserver.h"
#include "engine/ProgressTexts.h"
#include "ui/batch/TfrmProgress.h"

#include <QPointer>

#include <functional>
#include <string>

class QWidget;

namespace quillabe {

class BatchController;
class TrayAccess;

class WindowBatchObserver : public BatchObserver, public BatchQuestions {
public:
    using FileStateHandler = std::function<void(const std::string& path, TFileState state)>;
    using FolderCheck = std::function<bool(const std::string& folderText)>;

    // `mainWindow` owns the windows and they are centred over it; the observer must not outlive
    // it. `tray` may be null (no notification area: the progress window minimises the program
    // instead).
    WindowBatchObserver(QWidget* mainWindow, TrayAccess* tray);
    ~WindowBatchObserver() override;

    // The controller that the progress window's answers and check box steer.
    void Attach(BatchController* controller) { controller_ = controller; }
    void SetFileStateHandler(FileStateHandler handler) { onFileState_ = std::move(handler); }
    // The main window's output folder check (create the folder when asked); by default the folder
    // must exist.
    void SetOutputFolderCheck(FolderCheck check) { checkFolder_ = std::move(check); }
    void SetCountdownTick(int ms) { countdownTickMs_ = ms; }

    // The progress window; it is shown only while a batch runs.
    TfrmProgress& Window() { return *window_; }
    bool BatchRunning() const { return running_; }

    // BatchObserver
    void DisplayReset() override;
    void Progress(const ProgressUpdate& update) override;
    void JobDone(const BatchAfterJob& batch) override;
    void Phase(BatchPhase phase) override;
    void FileState(const std::string& path, TFileState state) override;
    void BatchOpened() override;
    void BatchClosed(bool stopped) override;
    void BatchSucceeded() override;
    void JobStartFailed(bool chaining) override;

    // BatchQuestions
    bool CheckOutputFolder(const std::string& folderText) override;
    bool RunShutdownCountdown() override;

private:
    void StopWhenDoneChanged(bool stop);

    QWidget* mainWindow_;
    TrayAccess* tray_;
    BatchController* controller_ = nullptr;
    QPointer<TfrmProgress> window_; // a child of the main window
    ProgressTexts texts_;
    FileStateHandler onFileState_;
    FolderCheck checkFolder_;
    int countdownTickMs_ = 1000;
    bool running_ = false;
    bool jobRunning_ = false; // false after a job could not start while chaining
};

} // namespace quillabe
