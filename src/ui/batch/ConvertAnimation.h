#pragma once
// The small animation in the progress window's header: a strip of film running into an output
// whose level bars rise and fall. It is drawn from shapes for every frame, so it stays sharp at
// any screen density, and loops over frames 0 to kLastFrame.

#include <QTimer>
#include <QWidget>

namespace quillabe {

class ConvertAnimation : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLastFrame = 11;
    static constexpr int kFrameIntervalMs = 100;

    explicit ConvertAnimation(QWidget* parent = nullptr);

    // Back to the first frame, not playing.
    void Reset();
    void Play();
    void Stop();
    bool Playing() const { return timer_.isActive(); }
    int Frame() const { return frame_; }
    void SetFrame(int frame);

    QSize sizeHint() const override;

signals:
    // The playing animation moved on to its next frame (not sent for SetFrame).
    void frameAdvanced();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void NextFrame();

    QTimer timer_;
    int frame_ = 0;
};

} // namespace quillabe
