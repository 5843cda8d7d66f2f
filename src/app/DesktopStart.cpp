#include "DesktopStart.h"

#include "BusyCursor.h"
#include "MessageDialogs.h"
#include "QtMessageDialogs.h"
#include "StartupConstants.h"
#include "TfrmMain.h"

#include <QApplication>
#include <QCursor>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace quillabe {

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    char c = 1;
    [[maybe_unused]] ssize_t n = write(signalPipe[1], &c, 1);
}

TfrmMain* mainWindow = nullptr;
bool terminationRequested = false;

// SIGTERM and SIGINT close the main window like the user does, so settings are saved when the
// desktop session ends. A modal message open at that moment is closed first.
void closeOnTermination(QApplication& app) {
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char buf[16];
        while (read(signalPipe[0], buf, sizeof buf) > 0) {
        }
        terminationRequested = true;
        while (QWidget* modal = QApplication::activeModalWidget()) {
            if (!modal->close())
                break;
        }
        if (mainWindow)
            mainWindow->close();
    });
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

} // namespace

int RunDesktop(int argc, char** argv) {
    QApplication app(argc, argv);
    SetMessageDialogHandler(std::make_shared<QtMessageDialogs>());
    SetBusyCursorHook([](bool busy) {
        if (busy && !QApplication::overrideCursor())
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else if (!busy)
            QApplication::restoreOverrideCursor();
    });
    closeOnTermination(app);
    SetStartupConstants();
    TfrmMain window;
    mainWindow = &window;
    if (!window.Created()) {
        // The creation handler told the user why the program cannot run; end it like a close.
        window.close();
        mainWindow = nullptr;
        return 1;
    }
    if (terminationRequested) {
        window.close();
        return 0;
    }
    QApplication::setQuitOnLastWindowClosed(true);
    window.show();
    int code = app.exec();
    mainWindow = nullptr;
    return code;
}

} // namespace quillabe
