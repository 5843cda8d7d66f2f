#include "ui/main/BatchLauncher.h"

#include "core/GlobalVars.h"
#include "core/OutputFormat.h"
#include "ui/main/FileListPanel.h"
#include "ui/main/FormatSelection.h"
#include "ui/main/OutputFolderBox.h"

namespace quillabe {

BatchRequest MakeBatchRequest(const FormatSelection& formats, const OutputFolderBox& output) {
    BatchRequest request;
    request.format = formats.CurrentFormat();
    // MP4 and 3GP convert through the chosen preset's variant, every other format through the
    // selected profile.
    if (IsPresetFormat(request.format))
        request.preset = formats.SelectedPreset();
    else
        request.profilePath = formats.CurrentProfilePath();
    request.outputFolder = output.Text();
    request.deleteSource = GlobalVars.DeleteFileAfterProcessing;
    request.shutdownWhenDone = GlobalVars.ShutdownWindowsWhenDone;
    request.shutdownFlag = GlobalVars.ShutdownFlag;
    request.priority = GlobalVars.Priority;
    request.jobs = GlobalVars.SimultaneousJobs;
    return request;
}

BatchLauncher::BatchLauncher(QWidget* window, FileListPanel& files, OutputFolderBox& output,
                             FormatSelection& formats, TRedirector& runner)
    : output_(output), formats_(formats), tray_(window), observer_(window, &tray_),
      controller_(files.List(), runner, observer_, observer_) {
    observer_.Attach(&controller_);
    observer_.SetFileStateHandler(
        [&files](const std::string& path, TFileState state) { files.SetFileState(path, state); });
    // The request carries the box's text, so the box checks (and may create) what it shows.
    observer_.SetOutputFolderCheck(
        [this](const std::string&) { return output_.CheckOutputFolder(); });
}

void BatchLauncher::Convert() {
    controller_.ActionConvertExecute(MakeBatchRequest(formats_, output_));
}

} // namespace quillabe
