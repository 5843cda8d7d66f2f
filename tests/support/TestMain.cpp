// The main() of every test program: a safe, private environment before any test runs.

#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quillabe::test {

void PrepareTestEnvironment() {
    // Never a real power action, never the user's own folders, never a display.
    setenv("QUILLABE_POWER_DRY_RUN", "1", 1);
    setenv("HOME", QUILLABE_TEST_HOME, 1);
    setenv("XDG_CONFIG_HOME", QUILLABE_TEST_HOME "/.config", 1);
    setenv("XDG_RUNTIME_DIR", QUILLABE_TEST_HOME "/run", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QUILLABE_APP_DIR", QUILLABE_TEST_APP_DIR, 1);
    setenv("QUILLABE_SOURCE_DIR", QUILLABE_TEST_SOURCE_DIR, 1);
    setenv("QUILLABE_BINARY_DIR", QUILLABE_TEST_BINARY_DIR, 1);
    unsetenv("QUILLABE_HOME");
    setenv("ASAN_OPTIONS", "detect_leaks=0", 0);
}

} // namespace quillabe::test

// Weak, so that a test program needing its own main() (one that makes a QCoreApplication, say)
// can define it; that main() calls PrepareTestEnvironment() first.
__attribute__((weak)) int main(int argc, char** argv) {
    quillabe::test::PrepareTestEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
