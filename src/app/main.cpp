// Program start: a command-line mode when one is named, otherwise the main window.

#include "app/CommandLineModes.h"
#include "app/DesktopStart.h"

int main(int argc, char** argv) {
    if (auto exitCode = quillabe::RunCommandLineMode(argc, argv))
        return *exitCode;
    return quillabe::RunDesktop(argc, argv);
}
