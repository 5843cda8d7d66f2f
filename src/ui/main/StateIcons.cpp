#include "ui/main/StateIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

#include <array>

namespace quillabe {

namespace {

void paintFilmStrip(QPainter& p) {
    const QRectF body(2.5, 3.5, 15, 11);
    p.setPen(QPen(QColor(0x3B, 0x4A, 0x5E), 1));
    p.setBrush(QColor(0x55, 0x67, 0x80));
    p.drawRoundedRect(body, 1.5, 1.5);
    // Sprocket holes along both edges, the frame in the middle.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE8, 0xEE, 0xF5));
    for (int i = 0; i < 4; ++i) {
        p.drawRect(QRectF(4 + i * 3.5, 4.5, 2, 1.5));
        p.drawRect(QRectF(4 + i * 3.5, 12, 2, 1.5));
    }
    p.setBrush(QColor(0x8F, 0xC3, 0xF5));
    p.drawRect(QRectF(5, 7, 10, 4));
}

void paintArrow(QPainter& p) {
    QPainterPath path;
    path.moveTo(3, 7);
    path.lineTo(10, 7);
    path.lineTo(10, 3);
    path.lineTo(17, 9);
    path.lineTo(10, 15);
    path.lineTo(10, 11);
    path.lineTo(3, 11);
    path.closeSubpath();
    p.setPen(QPen(QColor(0xC2, 0x5E, 0x0B), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xF5, 0x8A, 0x1F));
    p.drawPath(path);
}

void paintTick(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2E, 0x9E, 0x4F));
    p.drawEllipse(QRectF(2.5, 1.5, 15, 15));
    QPainterPath tick;
    tick.moveTo(6, 9.2);
    tick.lineTo(8.8, 12);
    tick.lineTo(14, 6.2);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void paintCross(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xD6, 0x3B, 0x3B));
    p.drawEllipse(QRectF(2.5, 1.5, 15, 15));
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 6), QPointF(13, 12));
    p.drawLine(QPointF(13, 6), QPointF(7, 12));
}

// Draws into whatever rectangle and density the view asks for, in the 20 × 18 design grid.
class StateIconEngine : public QIconEngine {
public:
    explicit StateIconEngine(TFileState state) : state_(state) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / qreal(kStateIconSize.width()),
                       rect.height() / qreal(kStateIconSize.height()));
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.45);
        switch (state_) {
        case TFileState::Waiting:
            paintFilmStrip(*painter);
            break;
        case TFileState::Converting:
            paintArrow(*painter);
            break;
        case TFileState::Done:
            paintTick(*painter);
            break;
        case TFileState::Failed:
            paintCross(*painter);
            break;
        }
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap pixmap(size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new StateIconEngine(state_); }

private:
    TFileState state_;
};

} // namespace

const QIcon& StateIcon(TFileState state) {
    static const std::array<QIcon, 4> icons = {
        QIcon(new StateIconEngine(TFileState::Waiting)),
        QIcon(new StateIconEngine(TFileState::Failed)),
        QIcon(new StateIconEngine(TFileState::Done)),
        QIcon(new StateIconEngine(TFileState::Converting)),
    };
    return icons[static_cast<size_t>(state)];
}

} // namespace quillabe
