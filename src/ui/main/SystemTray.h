#pragma once
// The main window's notification-area icon for the batch windows. Its picture is the window's
// icon, or a drawn one when the window has none. Where the desktop has no notification area it
// says so, and the progress window minimises the program instead of hiding it.

#include "ui/batch/TrayAccess.h"

#include <QObject>

class QSystemTrayIcon;
class QWidget;

namespace quillabe {

class SystemTray : public QObject, public TrayAccess {
    Q_OBJECT
public:
    explicit SystemTray(QWidget* mainWindow);

    bool TrayAvailable() const override;
    void HideToTray() override;
    void ShowBalloon(const std::string& title, const std::string& text, int timeoutMs) override;
    void SetTrayHint(const std::string& hint) override;

    QSystemTrayIcon* Icon() const { return icon_; }

private:
    // A click on the icon brings the window back and takes the icon away.
    void Restore();

    QWidget* mainWindow_;
    QSystemTrayIcon* icon_;
};

} // namespace quillabe
