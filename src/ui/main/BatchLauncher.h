#pragma once
// The Convert command of the main window: reads the window's format, profile or preset, output
// folder and the batch settings once into a request, and runs the window's one batch controller
// with the progress window's observer. The file states go to the list (its state icons follow the
// jobs) and the output folder check to the window's folder box.

#include "engine/BatchController.h"
#include "engine/BatchRequest.h"
#include "ui/batch/WindowBatchObserver.h"
#include "ui/main/SystemTray.h"

class QWidget;

namespace quillabe {

class FileListPanel;
class FormatSelection;
class OutputFolderBox;
class TRedirector;

// The request the window's controls and the settings ask for.
BatchRequest MakeBatchRequest(const FormatSelection& formats, const OutputFolderBox& output);

class BatchLauncher {
public:
    // All of them belong to `window` and outlive the launcher.
    BatchLauncher(QWidget* window, FileListPanel& files, OutputFolderBox& output,
                  FormatSelection& formats, TRedirector& runner);

    // Returns when the batch has ended (or was refused with a message).
    void Convert();

    BatchController& Controller() { return controller_; }
    WindowBatchObserver& Observer() { return observer_; }
    SystemTray& Tray() { return tray_; }

private:
    OutputFolderBox& output_;
    FormatSelection& formats_;
    SystemTray tray_;
    WindowBatchObserver observer_;
    BatchController controller_;
};

} // namespace quillabe
