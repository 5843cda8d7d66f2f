#include "ui/main/SystemTray.h"

#include "lang/Messages.h"
#include "ui/batch/TfrmProgress.h"

#include <QAction>
#include <QEventLoopLocker>
#include <QMenu>
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

void bringBack(QWidget* window) {
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

SystemTray::SystemTray(QWidget* mainWindow)
    : QObject(mainWindow), mainWindow_(mainWindow), icon_(new QSystemTrayIcon(this)),
      menu_(std::make_unique<QMenu>()) {
    const QIcon own = mainWindow->windowIcon();
    icon_->setIcon(own.isNull() ? drawnIcon() : own);
    icon_->setToolTip(mainWindow->windowTitle());

    menu_->setObjectName("PopupMenuTray");
    menu_->setFont(mainWindow->font());
    showWindow_ = menu_->addAction(QString());
    showWindow_->setObjectName("MenuItemTrayShowWindow");
    menu_->setDefaultAction(showWindow_);
    menu_->addSeparator();
    exit_ = menu_->addAction(QString());
    exit_->setObjectName("MenuItemTrayExit");
    PopupMenuTrayPopup();
    connect(menu_.get(), &QMenu::aboutToShow, this, &SystemTray::PopupMenuTrayPopup);
    // Queued: the menu has closed before a window shows or the stop question opens.
    connect(showWindow_, &QAction::triggered, this, &SystemTray::TrayIconDblClick,
            Qt::QueuedConnection);
    connect(exit_, &QAction::triggered, this, &SystemTray::MenuItemTrayExitClick,
            Qt::QueuedConnection);
    icon_->setContextMenu(menu_.get());

    // Many notification areas report a single click only, so a click restores as well.
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger)
                    TrayIconDblClick();
            });
}

SystemTray::~SystemTray() {
    // The icon refers to the menu; it goes first.
    delete icon_;
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
    if (!keepRunning_)
        keepRunning_ = std::make_unique<QEventLoopLocker>();
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

TfrmProgress* SystemTray::BatchWindow() const {
    return batch_ ? batch_() : nullptr;
}

void SystemTray::PopupMenuTrayPopup() {
    showWindow_->setText(QString::fromStdString(Msg(MSG_SHOW_WINDOW)));
    exit_->setText(QString::fromStdString(
        Msg(BatchWindow() ? MSG_TRAY_MENU_STOPENCODING : MSG_TRAY_MENU_EXIT)));
}

void SystemTray::MenuItemTrayExitClick() {
    if (TfrmProgress* progress = BatchWindow()) {
        progress->RequestClose();
        return;
    }
    mainWindow_->close();
}

void SystemTray::TrayIconDblClick() {
    bringBack(mainWindow_);
    if (TfrmProgress* progress = BatchWindow())
        bringBack(progress);
    icon_->hide();
    keepRunning_.reset(); // a window is shown again
}

} // namespace quillabe
