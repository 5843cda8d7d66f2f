#include "ui/batch/ConvertAnimation.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace quillabe {

namespace {

constexpr int kFrameCount = ConvertAnimation::kLastFrame + 1;
constexpr int kWidth = 136;
constexpr int kHeight = 30;

const QColor kStrip(236, 240, 245);
const QColor kHole(26, 33, 43);
const QColor kCellTop(72, 146, 244);
const QColor kCellBottom(33, 104, 204);
const QColor kChevron(255, 255, 255);
const QColor kBarLow(47, 128, 237);
const QColor kBarHigh(132, 184, 250);

// The film moves a pixel a frame; its holes repeat every 6 pixels and its picture cells every
// 12, so frame 11 leads back into frame 0 without a jump.
void paintFilm(QPainter& p, double phase) {
    const QRectF strip(0, 4, 54, 22);
    QPainterPath clip;
    clip.addRoundedRect(strip, 3, 3);
    p.save();
    p.setClipPath(clip);
    p.fillRect(strip, kStrip);
    const double shift = phase * 12.0;
    for (double x = -12 + shift; x < strip.right(); x += 6) {
        p.fillRect(QRectF(x + 1.5, strip.top() + 2, 3, 3), kHole);
        p.fillRect(QRectF(x + 1.5, strip.bottom() - 5, 3, 3), kHole);
    }
    QLinearGradient cell(0, strip.top() + 7, 0, strip.bottom() - 7);
    cell.setColorAt(0, kCellTop);
    cell.setColorAt(1, kCellBottom);
    for (double x = -12 + shift; x < strip.right(); x += 12)
        p.fillRect(QRectF(x + 1, strip.top() + 7, 10, 8), cell);
    p.restore();
}

// Three chevrons; the bright one walks from left to right twice per loop.
void paintChevrons(QPainter& p, int frame) {
    const int lit = (frame / 2) % 3;
    for (int k = 0; k < 3; ++k) {
        const int behind = (lit + 2) % 3;
        const int alpha = k == lit ? 255 : (k == behind ? 150 : 70);
        QColor color = kChevron;
        color.setAlpha(alpha);
        QPen pen(color, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pen);
        const double x = 62 + k * 8;
        const QPointF points[] = {{x, 9}, {x + 5, 15}, {x, 21}};
        p.drawPolyline(points, 3);
    }
}

// Level bars of the output, each a little behind its left neighbour.
void paintLevels(QPainter& p, double phase) {
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 5; ++k) {
        const double wave = 0.5 + 0.5 * std::sin(2 * std::numbers::pi * (phase - k * 0.17));
        const double h = 5 + 17 * wave;
        const QRectF bar(94 + k * 8, 26 - h, 5, h);
        QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
        fill.setColorAt(0, kBarHigh);
        fill.setColorAt(1, kBarLow);
        p.setBrush(fill);
        p.drawRoundedRect(bar, 1.5, 1.5);
    }
}

} // namespace

ConvertAnimation::ConvertAnimation(QWidget* parent) : QWidget(parent) {
    setObjectName("Animate_Convert");
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kWidth, kHeight);
    timer_.setInterval(kFrameIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &ConvertAnimation::NextFrame);
}

QSize ConvertAnimation::sizeHint() const {
    return {kWidth, kHeight};
}

void ConvertAnimation::Reset() {
    timer_.stop();
    SetFrame(0);
}

void ConvertAnimation::Play() {
    timer_.start();
}

void ConvertAnimation::Stop() {
    timer_.stop();
}

void ConvertAnimation::SetFrame(int frame) {
    frame_ = ((frame % kFrameCount) + kFrameCount) % kFrameCount;
    update();
}

void ConvertAnimation::NextFrame() {
    SetFrame(frame_ == kLastFrame ? 0 : frame_ + 1);
    emit frameAdvanced();
}

void ConvertAnimation::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double phase = static_cast<double>(frame_) / kFrameCount;
    paintFilm(p, phase);
    paintChevrons(p, frame_);
    paintLevels(p, phase);
}

} // namespace quillabe
