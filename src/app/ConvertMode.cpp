#include "CommandLineModes.h"

#include <cstdio>

namespace quillabe {

// Placeholder until the conversion engine exists.
int RunConvert(const Args&) {
    std::fprintf(stderr, "quillabe: --convert is not available in this build\n");
    return 2;
}

} // namespace quillabe
