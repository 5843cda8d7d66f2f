#include "app/DesktopStart.h"

#include "app/ProgramDirStart.h"
#include "core/BusyCursor.h"
#include "core/MessageDialogs.h"
#include "core/StartupConstants.h"
#include "engine/TerminationSignals.h"
#include "profiles/ProfileDirs.h"
#include "ui/main/QtMessageDialogs.h"
#include "ui/main/TfrmMain.h"

#include <QApplication>
#include <QCursor>
#include <QIcon>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace quillabe {

namespace {

TfrmMain* mainWindow = nullptr;

// SIGTERM and SIGINT close the main window like the user does, so settings are saved when the
// desktop session ends. A modal message open at that moment is closed first.
void closeWindows(int) {
    // A running batch stops without its question: nobody is there to answer it. Its progress
    // window then closes as the batch ends.
    const bool batchStopped = mainWindow && mainWindow->StopBatchForSignal();
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (batchStopped && modal->objectName() == QLatin1String("frmProgress"))
            break;
        if (!modal->close())
            break;
    }
    if (mainWindow)
        mainWindow->CloseForSignal();
}

} // namespace

int RunDesktop(int argc, char** argv) {
    QApplication app(argc, argv);
    // The desktop entry's id: Wayland shells match the window to its menu entry and icon by it.
    QGuiApplication::setDesktopFileName("org.quillabe.Quillabe");
    if (QIcon icon = QIcon::fromTheme("org.quillabe.Quillabe"); !icon.isNull())
        QApplication::setWindowIcon(icon);
    // What Qt left of the arguments are files to queue ("Open with"), taken as bytes so that any
    // file name arrives intact.
    const std::vector<std::string> startFiles(argv + std::min(argc, 1), argv + argc);
    SetMessageDialogHandler(std::make_shared<QtMessageDialogs>());
    SetBusyCursorHook([](bool busy) {
        if (busy && !QApplication::overrideCursor())
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else if (!busy)
            QApplication::restoreOverrideCursor();
    });
    if (!StartProgramDir(true))
        return 1;
    TerminationSignals termination(closeWindows);
    SetStartupConstants();
    TfrmMain window;
    mainWindow = &window;
    if (!window.Created()) {
        // The creation handler told the user why the program cannot run; end it like a close.
        if (termination.Received() != 0)
            window.CloseForSignal();
        else
            window.close();
        mainWindow = nullptr;
        return 1;
    }
    if (termination.Received() != 0) {
        window.CloseForSignal();
        return 0;
    }
    RemoveInterruptedWrites();
    QApplication::setQuitOnLastWindowClosed(true);
    window.show();
    window.QueueStartFiles(startFiles);
    int code = app.exec();
    mainWindow = nullptr;
    return code;
}

} // namespace quillabe
