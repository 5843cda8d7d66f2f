#include "CommandLineModes.h"

#include <cstdio>

namespace quillabe {

// Placeholders until the profile records and the argument builder exist.
int RunBuildArgs(const Args&) {
    std::fprintf(stderr, "quillabe: --build-args is not available in this build\n");
    return 2;
}

int RunSaveDefaultProfile(const Args&) {
    std::fprintf(stderr, "quillabe: --save-default-profile is not available in this build\n");
    return 2;
}

} // namespace quillabe
