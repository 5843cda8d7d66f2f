#pragma once
// Counts how often a top-level window is repainted while it lives: repaints (passes over the
// window's dirty region that painted something) and the paint events of its widgets. The window
// is named, so it may be created after the counter (the progress window).

#include <QApplication>
#include <QEvent>
#include <QString>
#include <QWidget>
#include <QWindow>

namespace quillabe::bench {

class RepaintCounter : public QObject {
public:
    explicit RepaintCounter(QString windowName) : name_(std::move(windowName)) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~RepaintCounter() override { QCoreApplication::instance()->removeEventFilter(this); }

    long Passes() const { return passes_; } // repaints that painted something
    long WidgetPaints() const { return paints_; }
    void Reset() { passes_ = paints_ = 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::UpdateRequest && isWatchedWindow(watched)) {
            pending_ = true;
        } else if (event->type() == QEvent::Paint && watched->isWidgetType() &&
                   static_cast<QWidget*>(watched)->window()->objectName() == name_) {
            ++paints_;
            // The paints of one pass follow its update request; the pass counts once.
            if (pending_)
                ++passes_;
            pending_ = false;
        }
        return false;
    }

private:
    // The request goes to the platform window, which hands it on to the widget; either counts.
    bool isWatchedWindow(QObject* watched) const {
        if (watched->isWidgetType())
            return static_cast<QWidget*>(watched)->isWindow() && watched->objectName() == name_;
        if (!watched->isWindowType())
            return false;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->windowHandle() == watched)
                return top->objectName() == name_;
        return false;
    }

    QString name_;
    long passes_ = 0;
    long paints_ = 0;
    bool pending_ = false;
};

} // namespace quillabe::bench
