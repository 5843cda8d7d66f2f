// Program start: a command-line mode when one is named, otherwise the main window.

#include "app/CommandLineModes.h"
#include "app/DesktopStart.h"
#include "app/DisplayCheck.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (auto exitCode = quillabe::RunCommandLineMode(argc, argv))
        return *exitCode;
    if (!quillabe::DisplayAvailable(quillabe::CurrentDisplayEnvironment())) {
        std::fprintf(stderr, "quillabe: %.*s\n", static_cast<int>(quillabe::kNoDisplayText.size()),
                     quillabe::kNoDisplayText.data());
        return 2;
    }
    return quillabe::RunDesktop(argc, argv);
}
