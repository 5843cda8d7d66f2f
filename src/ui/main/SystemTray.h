#pragma once
// The main window's notification-area icon for the batch windows. Its picture is the window's
// icon, or a drawn one when the window has none. Where the desktop has no notification area it
// says so, and the progress window minimises the program instead of hiding it.
//
// Its menu brings the windows back or ends the program; during a batch the last item stops the
// batch instead, through the progress window's own close request and its stop question.

#include "ui/batch/TrayAccess.h"

#include <QObject>

#include <functional>
#include <memory>

class QAction;
class QEventLoopLocker;
class QMenu;
class QSystemTrayIcon;
class QWidget;

namespace quillabe {

class TfrmProgress;

class SystemTray : public QObject, public TrayAccess {
    Q_OBJECT
public:
    explicit SystemTray(QWidget* mainWindow);
    ~SystemTray() override;

    // Tells the progress window while a batch runs, null otherwise.
    void SetBatchWindow(std::function<TfrmProgress*()> current) { batch_ = std::move(current); }

    bool TrayAvailable() const override;
    void HideToTray() override;
    void ShowBalloon(const std::string& title, const std::string& text, int timeoutMs) override;
    void SetTrayHint(const std::string& hint) override;

    // The menu opens: its texts from the message table, the last item for the batch state.
    void PopupMenuTrayPopup();
    // Stops the batch (the progress window asks how) or, without one, closes the main window the
    // usual way, which saves the settings.
    void MenuItemTrayExitClick();
    // Double click on the icon and "Show window": the main window, the progress window during a
    // batch, and the icon goes away.
    void TrayIconDblClick();

    QSystemTrayIcon* Icon() const { return icon_; }
    QMenu* PopupMenuTray() const { return menu_.get(); }
    QAction* MenuItemTrayShowWindow() const { return showWindow_; }
    QAction* MenuItemTrayExit() const { return exit_; }

private:
    TfrmProgress* BatchWindow() const;

    QWidget* mainWindow_;
    QSystemTrayIcon* icon_;
    std::unique_ptr<QMenu> menu_; // a window of its own: it must open while the main one hides
    QAction* showWindow_;
    QAction* exit_;
    std::function<TfrmProgress*()> batch_;
    // Held while the program waits in the notification area with no window shown: the stop
    // question or the countdown would otherwise be the last window, and closing it would end
    // the program in the middle of its batch.
    std::unique_ptr<QEventLoopLocker> keepRunning_;
};

} // namespace quillabe
