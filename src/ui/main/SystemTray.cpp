#include "ui/main/SystemTray.h"

#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>

namespace quillabe {

namespace {
QIcon drawnIcon() {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x2a, 0x6f, 0xc9));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(1, 1, 14, 14);
    painter.setBrush(Qt::white);
    const QPointF play[] = {{6, 4.5}, {12, 8}, {6, 11.5}};
    painter.drawPolygon(play, 3);
    return QIcon(picture);
}
} // namespace

SystemTray::SystemTray(QWidget* mainWindow)
    : QObject(mainWindow), mainWindow_(mainWindow), icon_(new QSystemTrayIcon(this)) {
    const QIcon own = mainWindow->windowIcon();
    icon_->setIcon(own.isNull() ? drawnIcon() : own);
    icon_->setToolTip(mainWindow->windowTitle());
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason) { Restore(); });
}

bool SystemTray::TrayAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void SystemTray::HideToTray() {
    // Without a notification area a hidden window could not be brought back.
    if (!TrayAvailable()) {
        mainWindow_->showMinimized();
        return;
    }
    icon_->show();
    mainWindow_->hide();
}

void SystemTray::ShowBalloon(const std::string& title, const std::string& text, int timeoutMs) {
    icon_->showMessage(QString::fromStdString(title), QString::fromStdString(text),
                       QSystemTrayIcon::Information, timeoutMs);
}

void SystemTray::SetTrayHint(const std::string& hint) {
    icon_->setToolTip(QString::fromStdString(hint));
}

void SystemTray::Restore() {
    mainWindow_->showNormal();
    mainWindow_->raise();
    mainWindow_->activateWindow();
    icon_->hide();
}

} // namespace quillabe
