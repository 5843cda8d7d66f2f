#pragma once

namespace quillabe::test {

// Sets the environment every test runs in: QUILLABE_POWER_DRY_RUN=1, a private HOME and XDG
// folders, QT_QPA_PLATFORM=offscreen, QUILLABE_APP_DIR (the built program directory),
// QUILLABE_SOURCE_DIR and QUILLABE_BINARY_DIR. The shared main() calls it; a test program with a
// main() of its own must call it first.
void PrepareTestEnvironment();

} // namespace quillabe::test
