// The command line of `quillabe --convert`: usage errors, the files that silently never become
// jobs, names relative to the working directory, and --when-done (power actions are only
// printed in the test environment, and no bus is reachable from it anyway).

#include "ConvertHarness.h"

#include "base/TextUtils.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace quillabe;
using namespace quillabe::test;

namespace {

struct UsageCase {
    const char* title;
    std::vector<std::string> args; // "@OUT": a folder that does not exist; "@IN": a clip
    const char* message;
};

// Test names and failure messages show the row's title.
void PrintTo(const UsageCase& c, std::ostream* os) {
    *os << c.title;
}

const UsageCase kUsageCases[] = {
    {"NothingGiven", {}, "--to FORMAT is required"},
    {"UnknownFormat", {"--to", "ogg", "--output", "@OUT", "@IN"}, "unknown format 'ogg'"},
    {"NoOutput", {"--to", "mp3", "@IN"}, "--output DIR is required"},
    {"NoFiles", {"--to", "mp3", "--output", "@OUT"}, "no input files given"},
    {"OptionWithoutValue", {"--to", "mp3", "@IN", "--output"}, "option --output needs a value"},
    {"UnknownOption",
     {"--to", "mp3", "--fast", "--output", "@OUT", "@IN"},
     "unknown option '--fast'"},
    {"DashFileWithoutSeparator",
     {"--to", "mp3", "--output", "@OUT", "-clip.avi"},
     "unknown option '-clip.avi'"},
    {"ProfileForPresetFormat",
     {"--to", "mp4", "--profile", "Default", "--output", "@OUT", "@IN"},
     "converted through presets"},
    {"PresetForProfileFormat",
     {"--to", "mp3", "--preset", "iPod touch", "--output", "@OUT", "@IN"},
     "for mp4 and 3gp only"},
    {"VariantWithoutPreset",
     {"--to", "mp4", "--variant", "1", "--output", "@OUT", "@IN"},
     "--variant needs --preset"},
    {"UnknownProfile",
     {"--to", "mp3", "--profile", "Loud", "--output", "@OUT", "@IN"},
     "no mp3 profile named 'Loud'"},
    {"PresetOfTheOtherMenu",
     {"--to", "3gp", "--preset", "iPod touch", "--output", "@OUT", "@IN"},
     "no preset titled 'iPod touch'"},
    {"VariantPastTheLast",
     {"--to", "mp4", "--preset", "iPod touch", "--variant", "3", "--output", "@OUT", "@IN"},
     "has no variant '3'"},
    {"VariantZero",
     {"--to", "mp4", "--preset", "iPod touch", "--variant", "0", "--output", "@OUT", "@IN"},
     "has no variant '0'"},
    {"VariantTooLargeForAnyInteger",
     {"--to", "mp4", "--preset", "iPod touch", "--variant", "99999999999999999999999", "--output",
      "@OUT", "@IN"},
     "the preset 'iPod touch' has no variant '99999999999999999999999'"},
    {"UnknownWhenDone",
     {"--to", "mp3", "--when-done", "shutdown", "--output", "@OUT", "@IN"},
     "unknown --when-done action 'shutdown'"},
};

class UsageError : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageError, ExitsWithTwoAndTouchesNothing) {
    const UsageCase& c = GetParam();
    ConvertHome home;
    const std::string input = home.AddInput(SmallClip(), "clip.avi");
    const std::string never = home.Root() + "never/";
    std::vector<std::string> args;
    for (const std::string& a : c.args)
        args.push_back(a == "@OUT" ? never : a == "@IN" ? input : a);

    RunResult r = home.Convert(args);

    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(StartsWith(r.err, "quillabe --convert: ")) << r.err;
    EXPECT_TRUE(Contains(r.err, c.message)) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(fs::exists(never));
}

INSTANTIATE_TEST_SUITE_P(Convert, UsageError, testing::ValuesIn(kUsageCases),
                         [](const auto& row) { return std::string(row.param.title); });

struct SkipCase {
    const char* title;
    std::vector<std::string> files; // in the input folder; "missing.avi" is never made
    int exitCode;
    const char* summary;
    std::set<std::string> outputs;
};

// Test names and failure messages show the row's title.
void PrintTo(const SkipCase& c, std::ostream* os) {
    *os << c.title;
}

// The input-type table knows no file without an extension, so such a file is skipped like an
// unknown type: without a word.
const SkipCase kSkipCases[] = {
    {"OnlyAFileWithoutExtension", {"clip"}, 1, "done: 0, failed: 0", {}},
    {"FileWithoutExtensionBesideAClip",
     {"clip", "clip.avi"},
     0,
     "done: 1, failed: 0",
     {"clip.avi"}},
    {"MissingFileAndDuplicate",
     {"missing.avi", "clip.avi", "clip.avi"},
     0,
     "done: 1, failed: 0",
     {"clip.avi"}},
};

class SkippedFile : public testing::TestWithParam<SkipCase> {};

TEST_P(SkippedFile, NeverBecomesAJob) {
    const SkipCase& c = GetParam();
    ConvertHome home;
    std::vector<std::string> args{"--to", "avi", "--output", home.OutputDir()};
    for (const std::string& name : c.files)
        args.push_back(name == "missing.avi" ? home.InputDir() + name
                                             : home.AddInput(SmallClip(), name));

    RunResult r = home.Convert(args);

    EXPECT_EQ(r.exitCode, c.exitCode) << r.out << r.err;
    EXPECT_EQ(r.LastOutLine(), c.summary);
    EXPECT_EQ(EntriesBelow(home.OutputDir()), c.outputs);
    if (c.outputs.empty())
        EXPECT_TRUE(Contains(r.err, "There are no files to encode!")) << r.err;
    else
        EXPECT_FALSE(Contains(r.err, home.InputDir())) << "skipped without a message\n" << r.err;
}

INSTANTIATE_TEST_SUITE_P(Convert, SkippedFile, testing::ValuesIn(kSkipCases),
                         [](const auto& row) { return std::string(row.param.title); });

// The jobs run in the program directory; names given relative to the directory the program was
// started in must still mean the files there.
TEST(ConvertCommandLine, RelativeNamesMeanTheStartingDirectory) {
    ConvertHome home;
    home.AddInput(SmallClip(), "-dash.avi");
    home.AddInput(SmallClip(), "sub/clip.avi");

    RunResult r = home.Convert(
        {"--to", "mp3", "--output", "../relative out", "--", "-dash.avi", "sub/clip.avi"},
        home.InputDir());

    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(r.LastOutLine(), "done: 2, failed: 0");
    EXPECT_EQ(EntriesBelow(home.Root() + "relative out"),
              (std::set<std::string>{"-dash.mp3", "clip.mp3"}));
}

struct WhenDoneCase {
    const char* action;
    const char* wouldDo;
};

// Test names and failure messages show the row's title.
void PrintTo(const WhenDoneCase& c, std::ostream* os) {
    *os << c.action;
}

const WhenDoneCase kWhenDone[] = {
    {"quit", "end the program"},
    {"poweroff", "power off"},
    {"logoff", "log off (end the session)"},
    {"reboot", "reboot"},
    {"hibernate", "hibernate"},
    {"suspend", "suspend"},
};

class WhenDone : public testing::TestWithParam<WhenDoneCase> {};

TEST_P(WhenDone, OnlyPrintsTheActionAfterASuccessfulBatch) {
    const WhenDoneCase& c = GetParam();
    ConvertHome home;
    const std::string input = home.AddInput(ShortSound(), "sound.wav");

    RunResult r =
        home.Convert({"--to", "wav", "--when-done", c.action, "--output", home.OutputDir(), input});

    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, "dry run: would " + std::string(c.wouldDo) + "\n")) << r.out;
    EXPECT_EQ(r.LastOutLine(), "done: 1, failed: 0");
}

INSTANTIATE_TEST_SUITE_P(Convert, WhenDone, testing::ValuesIn(kWhenDone),
                         [](const auto& row) { return std::string(row.param.action); });

TEST(ConvertCommandLine, NoEndOfBatchActionAfterAFailedJob) {
    ConvertHome home;
    const std::string good = home.AddInput(ShortSound(), "good.wav");
    const std::string broken = home.AddInput(BrokenSound(), "broken.wav");

    RunResult r = home.Convert(
        {"--to", "mp3", "--when-done", "poweroff", "--output", home.OutputDir(), good, broken});

    EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
    EXPECT_FALSE(Contains(r.out, "dry run:")) << r.out;
    EXPECT_EQ(r.LastOutLine(), "done: 1, failed: 1");
}

} // namespace
