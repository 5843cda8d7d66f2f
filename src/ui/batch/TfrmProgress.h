#pragma once
// The progress window of a running batch: a header band with the state and a small animation,
// the current file's and the batch's percentages, bars and times, the file being converted and
// its output, the end-of-batch check box, and "Send to tray" and "Cancel". The shared progress
// texts write into it as a ProgressView; its labels and bars are repainted at most every
// kDisplayIntervalMs, however fast the encoder writes, and the last texts are always shown.
//
// Closing it (close button, Esc, Cancel, the tray's stop command) asks whether to stop now or
// when the current file is done; the answer reaches the controller through the signals.

#include "engine/ProgressView.h"

#include <QDialog>
#include <QTimer>

#include <array>
#include <map>
#include <string>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace quillabe {

class ConvertAnimation;
class TrayAccess;

class TfrmProgress : public QDialog, public ProgressView {
    Q_OBJECT
public:
    static constexpr int kDisplayIntervalMs = 100;

    explicit TfrmProgress(QWidget* parent = nullptr);

    // The creation texts from the message table, and the tray button's place for the language.
    void ApplyLanguage();
    // Ready for a new batch: not finished, the check boxes from the settings, the caption and
    // the stop label of a running batch.
    void Prepare();
    void SetTray(TrayAccess* tray) { tray_ = tray; }

    // ProgressView
    void SetLabel(ProgressLabel label, const std::string& text) override;
    void SetBar(ProgressBar bar, int percent) override;
    bool AnimationRunning() const override;
    void StartAnimation() override;
    void StopAnimation() override;
    void SetTrayHint(const std::string& hint) override;
    void SetFileState(const std::string& path, TFileState state) override;

    // Shows every pending text and bar now.
    void FlushDisplay();

    // The close request of the close button, Esc, Cancel and the tray's stop command; it works
    // while the window is hidden in the tray, too.
    void RequestClose() { reject(); }
    void reject() override;
    // The batch has ended: the window closes with OK, or, when the stop question is open, after
    // it was answered with Cancel.
    void MarkFinished();
    bool Finished() const { return finished_; }
    bool StopWhenDoneShown() const;

    // Sends the program to the notification area, or minimises it where there is none.
    void SendToTray();
    // Minimises every window of the program.
    void MinimizeApplication();

    QLabel* Label(ProgressLabel label) const;
    QProgressBar* Bar(ProgressBar bar) const;
    ConvertAnimation* Animation() const { return animation_; }
    QCheckBox* CheckBoxShutdown() const { return checkShutdown_; }
    QCheckBox* CheckBoxDelSource() const { return checkDelSource_; }
    QPushButton* ButtonTray() const { return buttonTray_; }
    QPushButton* ButtonCancel() const { return buttonCancel_; }
    // How many times pending texts and bars were put on screen.
    int DisplayUpdates() const { return displayUpdates_; }

signals:
    void stopNowRequested();
    // "When done" was answered (true), or withdrawn by another answer (false).
    void stopWhenDoneChanged(bool stop);
    void shutdownWhenDoneChanged(bool shutdown);
    void fileStateChanged(const std::string& path, quillabe::TFileState state);

protected:
    void changeEvent(QEvent* event) override;

private:
    void CreateControls();
    void ScheduleDisplay();
    void ShowLabelText(ProgressLabel label, const std::string& text);

    QWidget* panelImage_;
    QWidget* panelStatus_;
    QWidget* panelButtons_;
    ConvertAnimation* animation_;
    std::array<QLabel*, 11> labels_{}; // by ProgressLabel; no widget for the caption
    QLabel* labelStatusRemainingSingle_;
    QLabel* labelRemaining_;
    QLabel* labelElapsed_;
    QLabel* labelEstimated_;
    QProgressBar* barStatus_;
    QProgressBar* barBatch_;
    QCheckBox* checkDelSource_;
    QCheckBox* checkShutdown_;
    QPushButton* buttonTray_;
    QPushButton* buttonCancel_;
    TrayAccess* tray_ = nullptr;

    QTimer displayTimer_;
    std::map<ProgressLabel, std::string> pendingLabels_;
    std::map<ProgressBar, int> pendingBars_;
    int displayUpdates_ = 0;

    bool finished_ = false;
    bool asking_ = false;
};

} // namespace quillabe
