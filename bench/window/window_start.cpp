// The program's own desktop start (RunDesktop, as `quillabe` runs it without a command-line
// mode), ended at the main window's first painted frame. The end is hooked in from outside, so
// the shipped program carries no benchmark code.

#include "FirstPaintProbe.h"

#include "app/DesktopStart.h"

int main(int argc, char** argv) {
    const bool rssByMapping = quillabe::bench::TakeRssByMappingOption(argc, argv);
    quillabe::bench::EndAtFirstPaint("frmMain", rssByMapping);
    return quillabe::RunDesktop(argc, argv);
}
