// Stop now from outside: SIGTERM or SIGINT in the middle of a long job (or of two at once) ends
// the program at once, with no encoder process left, no temporary file in the program directory
// and no partial output.
// A program killed outright (SIGKILL, as by the out-of-memory killer) leaves no encoder behind.

#include "ConvertHarness.h"

#include "base/TextUtils.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;
using namespace quillabe;
using namespace quillabe::test;

namespace {

struct StopCase {
    const char* title;
    int signal;
    int exitCode;
    std::vector<std::string> target;
    bool useDirectShow;
    int inputs;
    const char* temporaryFile;           // present while the job runs
    bool cleansUp = true;                // false: killed outright, nothing of ours runs afterwards
    const char* running = "  progress "; // the console line that shows the jobs under way
};

// Test names and failure messages show the row's title.
void PrintTo(const StopCase& c, std::ostream* os) {
    *os << c.title;
}

const StopCase kStops[] = {
    // sh running the batch file, the adapter and ffmpeg: one slow 640x480 H.264 job.
    {"SigtermDuringBatchFileJob",
     SIGTERM,
     143,
     {"--to", "mp4", "--preset", "iPod H.264", "--variant", "3"},
     false,
     1,
     "~ConvertCore.bat"},
    // The adapter and ffmpeg reading through the script, with more jobs waiting.
    {"SigintDuringDirectJobThroughScript",
     SIGINT,
     130,
     {"--to", "mpg", "--profile", "DVD PAL"},
     true,
     3,
     "DirectShow.avs"},
    {"SigkillOfTheProgramDuringDirectJob",
     SIGKILL,
     128 + SIGKILL,
     {"--to", "avi"},
     false,
     1,
     nullptr,
     false},
    {"SigkillOfTheProgramDuringBatchFileJob",
     SIGKILL,
     128 + SIGKILL,
     {"--to", "mp4", "--preset", "iPod H.264", "--variant", "3"},
     false,
     1,
     "~ConvertCore.bat",
     false},
    // Two jobs at once, each through its own batch file: both encoders die, both partial outputs
    // and both slots' files go.
    {"SigtermDuringTwoBatchFileJobs",
     SIGTERM,
     143,
     {"--jobs", "2", "--to", "mp4", "--preset", "iPod H.264", "--variant", "3"},
     false,
     3,
     "~ConvertCore-2.bat",
     true,
     "  [2/3] "},
};

class StopNow : public testing::TestWithParam<StopCase> {};

TEST_P(StopNow, KillsTheEncoderAndCleansUp) {
    const StopCase& c = GetParam();
    ConvertHome home;
    if (c.useDirectShow)
        home.SetSetting("UseDirectShow", "1");
    std::vector<std::string> args = c.target;
    args.insert(args.end(), {"--output", home.OutputDir()});
    for (int i = 1; i <= c.inputs; ++i)
        args.push_back(home.AddInput(LongClip(), "long" + std::to_string(i) + ".avi"));

    ChildRun run(home.Command(args), home.Environment());
    ASSERT_TRUE(run.WaitForOutput(c.running, 60s)) << "no progress line";
    const std::string quillabe = std::to_string(run.Pid()) + ": ";
    std::vector<std::string> encoders;
    for (const std::string& p : ProcessesNaming(home.Root()))
        if (!StartsWith(p, quillabe))
            encoders.push_back(p);
    ASSERT_FALSE(encoders.empty()) << "the job had already ended";
    if (c.temporaryFile) {
        EXPECT_TRUE(fs::exists(home.Home() + c.temporaryFile));
    }

    const auto signalled = std::chrono::steady_clock::now();
    run.Signal(c.signal);
    RunResult r = run.Finish(30s);
    const auto took = std::chrono::steady_clock::now() - signalled;

    if (c.cleansUp) {
        EXPECT_EQ(r.exitCode, c.exitCode) << r.out << r.err;
    }
    EXPECT_LT(took, 5s);
    // A killed process may take a moment to leave the process table.
    std::vector<std::string> survivors = ProcessesNaming(home.Root());
    for (int i = 0; i < 40 && !survivors.empty(); ++i) {
        std::this_thread::sleep_for(50ms);
        survivors = ProcessesNaming(home.Root());
    }
    EXPECT_TRUE(survivors.empty()) << testing::PrintToString(survivors);
    if (!c.cleansUp)
        return;
    for (const char* name :
         {"~ConvertCore.bat", "DirectShow.avs", "~ConvertCore-2.bat", "DirectShow-2.avs"})
        EXPECT_FALSE(fs::exists(home.Home() + name)) << name;
    EXPECT_NE(r.err.find("stopped"), std::string::npos) << r.err;
    EXPECT_TRUE(EntriesBelow(home.OutputDir()).empty())
        << "partial output: " << testing::PrintToString(EntriesBelow(home.OutputDir()));
}

INSTANTIATE_TEST_SUITE_P(Convert, StopNow, testing::ValuesIn(kStops),
                         [](const auto& row) { return std::string(row.param.title); });

} // namespace
