#include "support/ChildRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quillabe::test {
namespace {

TEST(FakeEncoder, FollowsItsScript) {
    TempDir dir;
    std::string script = dir.Write("s.txt", "# a comment\n"
                                            "out frame=  1 time=0.04\\r\n"
                                            "err   Duration: 00:00:40.00, \\\\x\\n\n"
                                            "\n"
                                            "args " +
                                                dir.File("args.txt") +
                                                "\n"
                                                "create-output 5\n"
                                                "touch " +
                                                dir.File("touched") +
                                                "\n"
                                                "exit 3\n"
                                                "out never\n");
    ProcessOutput r =
        RunProcess({FAKE_ENCODER, "-p", "4417306", "-i", "a \"b\"\nc", "", dir.File("out.avi")},
                   {"FAKE_ENCODER_SCRIPT=" + script});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.out, "frame=  1 time=0.04\r");
    EXPECT_EQ(r.err, "  Duration: 00:00:40.00, \\x\n");
    EXPECT_EQ(dir.Read("args.txt"),
              "-p\n4417306\n-i\na \"b\"\\nc\n\n" + dir.File("out.avi") + "\n");
    EXPECT_EQ(dir.Read("out.avi"), "xxxxx");
    EXPECT_TRUE(std::filesystem::exists(dir.File("touched")));
}

TEST(FakeEncoder, ReadsTheScriptBesideItselfUnderAnyName) {
    TempDir dir;
    std::filesystem::copy_file(FAKE_ENCODER, dir.File("divuvo.dll"));
    dir.Write("fake_encoder.script", "err Error: scripted\\n\nexit 1\n");
    ProcessOutput r = RunProcess({dir.File("divuvo.dll")}, {"FAKE_ENCODER_SCRIPT="});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Error: scripted\n");
    ProcessOutput bad = RunProcess({FAKE_ENCODER}, {"FAKE_ENCODER_SCRIPT=" + dir.File("none")});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.err.rfind("fake_encoder:", 0), 0u);
}

} // namespace
} // namespace quillabe::test
