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

// SIGTERM and SIGINT close the main window like the user does, so settings are saved when the
// desktop session ends.
void closeOnTermination(TfrmMain& window) {
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char buf[16];
        while (read(signalPipe[0], buf, sizeof buf) > 0) {
        }
        window.close();
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
    SetStartupConstants();
    TfrmMain window;
    if (!window.Created())
        return 1;
    closeOnTermination(window);
    QApplication::setQuitOnLastWindowClosed(true);
    window.show();
    return app.exec();
}

} // namespace quillabe
