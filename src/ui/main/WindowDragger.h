#pragma once
// Mouse handling of the frameless window's background and labels: dragging them moves the window
// through the window manager, a click without a drag is reported with its position in the
// clicked control, and a double click is reported too.

#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

namespace quillabe {

class WindowDragger : public QObject {
    Q_OBJECT
public:
    explicit WindowDragger(QObject* parent = nullptr) : QObject(parent) {}

    // Dragging the control moves the window; `doubleClicks` also reports its double clicks.
    void Attach(QWidget* control, bool doubleClicks);

signals:
    // Released without having moved the window; the position is relative to the control.
    void clicked(QWidget* control, const QPoint& pos);
    void doubleClicked(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> pressed_;
    QPoint pressPos_;
};

} // namespace quillabe
