#include "ui/main/WindowDragger.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace quillabe {

namespace {
constexpr const char* kDoubleClicks = "quillabeDoubleClicks";
}

void WindowDragger::Attach(QWidget* control, bool doubleClicks) {
    control->setProperty(kDoubleClicks, doubleClicks);
    control->installEventFilter(this);
}

bool WindowDragger::eventFilter(QObject* watched, QEvent* event) {
    auto* control = qobject_cast<QWidget*>(watched);
    if (!control)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        pressed_ = control;
        pressPos_ = mouse->position().toPoint();
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (pressed_ != control || !(mouse->buttons() & Qt::LeftButton))
            return false;
        if ((mouse->position().toPoint() - pressPos_).manhattanLength() <
            QApplication::startDragDistance())
            return true;
        // The window manager moves the window from here until the button is released; the
        // press is used up by the move and is no click.
        pressed_ = nullptr;
        if (QWindow* window = control->window()->windowHandle())
            window->startSystemMove();
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (pressed_ != control)
            return false;
        pressed_ = nullptr;
        emit clicked(control, pressPos_);
        return true;
    }
    case QEvent::MouseButtonDblClick:
        pressed_ = nullptr;
        if (control->property(kDoubleClicks).toBool())
            emit doubleClicked(control);
        return true;
    default:
        return false;
    }
}

} // namespace quillabe
