#pragma once
// The countdown before the end-of-batch action: "Time left: 30" down to 0, then it closes with OK
// on the next tick; Cancel (or Esc, or the close button) at any time closes it with Cancel. The
// tick is a second unless another interval is given (tests run it fast).

#include <QDialog>
#include <QTimer>

class QLabel;
class QPushButton;

namespace quillabe {

class TfrmShutdown : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSeconds = 30;

    explicit TfrmShutdown(QWidget* parent = nullptr, int tickMs = 1000);

    void ApplyLanguage();
    int SecondsLeft() const { return secondsLeft_; }
    QLabel* LabelTimeOut() const { return labelTimeOut_; }
    QPushButton* ButtonCancel() const { return buttonCancel_; }

protected:
    // The timer runs only while the window is shown.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void TimerShutdownTimer();
    void ShowTimeLeft();

    QLabel* labelWarning_;
    QLabel* labelDescription_;
    QLabel* labelTimeOut_;
    QPushButton* buttonCancel_;
    QTimer timer_;
    int secondsLeft_ = kSeconds;
};

} // namespace quillabe
